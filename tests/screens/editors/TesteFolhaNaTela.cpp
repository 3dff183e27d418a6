// The edit sheet and the three editors on screen: titles, buttons, Escape and Return, the
// delete question, the reading block, the preview and the error line; with screenshots.
#include "EditorDeCodigo.h"
#include "EditorDeNota.h"
#include "EditorDeSenha.h"
#include "LeitorDaTela.h"
#include "PedidoAoPortal.h"
#include "support/quick/PortalFalso.h"
#include "QuadroDoEditor.h"
#include "kit/Mola.h"
#include "kit/RelogioDasTelas.h"
#include "kit/Tipo.h"
#include "support/Executar.h"
#include "support/quick/Recortes.h"

#include <QCoro/QCoroFuture>
#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QClipboard>
#include <QGuiApplication>
#include <QPromise>
#include <QQuickItem>
#include <QWindow>
#include <QTest>

namespace {

const QString linkA = QStringLiteral("otpauth://totp/GitHub:ana%40exemplo.com?secret=JBSWY3DPEHPK3PXP&issuer=GitHub");

} // namespace

class FolhaNaTela : public QuadroDoEditor {
protected:
    // The dispatching sheet over the state, in a window the size of a sheet (any sheet shown
    // before is closed first, as a user would).
    QQuickItem *mostrarEditor(const QString &tipo, const QString &item = {})
    {
        estado->fecharEdicao();
        estado->editar(tipo, item);
        return mostrar(QStringLiteral("import QtQuick\nimport Corvane.App\nimport Corvane.Editores\n"
                                      "EditorNoMac { estado: estadoDeTeste; width: 460; height: implicitHeight }"),
                       QSize(460, 820), QStringLiteral("#ffffff"));
    }
    QString texto(const QString &nome) { return achar(nome)->property("text").toString(); }
    bool visivel(const QString &nome) { return achar<QQuickItem>(nome)->isVisible(); }
    void clicar(const QString &nome)
    {
        QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(achar<QQuickItem>(nome)));
        avancar(50);
    }
    template <typename Modelo = ModeloDoEditor>
    Modelo *modelo() { return achar<Modelo>(QStringLiteral("modelo")); }
    void tecla(Qt::Key k)
    {
        QTest::keyClick(janela(), k);
        avancar(50);
    }
};

TEST_F(FolhaNaTela, CodigoNovoComBlocoDeLeituraEPrevia)
{
    mostrarEditor(QStringLiteral("codigo"));
    EXPECT_EQ(texto(QStringLiteral("tituloDaFolha")), QStringLiteral("Novo código"));
    EXPECT_FALSE(visivel(QStringLiteral("botaoApagar")));
    EXPECT_TRUE(visivel(QStringLiteral("blocoDeLeitura")));
    EXPECT_FALSE(visivel(QStringLiteral("previa")));
    EXPECT_FALSE(achar(QStringLiteral("botaoSalvar"))->property("enabled").toBool());
    EXPECT_FALSE(achar(QStringLiteral("botaoUsar"))->property("enabled").toBool());
    capturar(QStringLiteral("editores-codigo-novo"));

    auto *editor = modelo<ModeloDoEditorDeCodigo>();
    editor->definirLink(linkA);
    clicar(QStringLiteral("botaoUsar"));
    // One read code fills the form: the preview enters on the fill's spring (0.3, 1.0), not on
    // its own 200 ms fade (which would be at 0.125 after 50 ms).
    auto *previa = achar<QQuickItem>(QStringLiteral("previa"));
    EXPECT_NEAR(previa->opacity(), Mola::posicao(0.3, 1, 0.05), 0.02);
    EXPECT_NEAR(previa->scale(), 0.98 + 0.02 * Mola::posicao(0.3, 1, 0.05), 0.001);
    avancar(100);
    EXPECT_NEAR(previa->opacity(), Mola::posicao(0.3, 1, 0.15), 0.02);
    avancar(Mola::duracao(0.3, 1));
    EXPECT_TRUE(visivel(QStringLiteral("previa")));
    EXPECT_DOUBLE_EQ(previa->opacity(), 1.0);
    EXPECT_EQ(texto(QStringLiteral("tituloDaPrevia")), QStringLiteral("GitHub"));
    EXPECT_EQ(texto(QStringLiteral("contaDaPrevia")), QStringLiteral("ana@exemplo.com"));
    EXPECT_TRUE(visivel(QStringLiteral("anelDaPrevia")));
    EXPECT_EQ(texto(QStringLiteral("codigoDaPrevia")), editor->codigoDaPrevia(RelogioDasTelas::instancia().agora()));
    capturar(QStringLiteral("editores-codigo-previa"));
    {
        // The card's digits (the width stays from one period to the next) and its count-up.
        auto *codigo = achar<QQuickItem>(QStringLiteral("codigoDaPrevia"));
        EXPECT_EQ(codigo->property("font").value<QFont>().family(), Tipo::familiaDosDigitos());
        const double largura = codigo->implicitWidth();
        const QString antes = texto(QStringLiteral("codigoDaPrevia"));
        const qint64 periodo = editor->periodoDaPrevia();
        ASSERT_GT(periodo, 0);
        const qint64 ms = RelogioDasTelas::instancia().agora().toMSecsSinceEpoch();
        avancar(int(periodo * 1000 - ms % (periodo * 1000)) - 100);
        EXPECT_EQ(texto(QStringLiteral("codigoDaPrevia")), antes);
        avancar(150); // into the next period
        EXPECT_NE(texto(QStringLiteral("codigoDaPrevia")), antes);
        EXPECT_TRUE(codigo->findChild<QQuickItem *>(QStringLiteral("textoAnterior"))->isVisible()) << "counting up";
        EXPECT_DOUBLE_EQ(codigo->implicitWidth(), largura);
        avancar(1000);
    }

    editor->definirSegredo(QStringLiteral("ABC189"));
    avancar(50);
    EXPECT_TRUE(visivel(QStringLiteral("chaveInvalida")));
    EXPECT_FALSE(visivel(QStringLiteral("anelDaPrevia")));
    capturar(QStringLiteral("editores-codigo-chave-invalida"));
    clicar(QStringLiteral("botaoSalvar"));
    ASSERT_TRUE(esperarAte([&] { return !editor->erro().isEmpty(); }));
    avancar(50);
    EXPECT_TRUE(visivel(QStringLiteral("erroDaFolha")));
    EXPECT_EQ(achar(QStringLiteral("erroDaFolha"))->property("texto").toString(),
              QString::fromUtf8(mensagemDaChaveInvalida));
    capturar(QStringLiteral("editores-linha-de-erro"));
}

TEST_F(FolhaNaTela, AvisoDePermissaoEEscapeFecha)
{
    ModeloDoEditorDeCodigo::usarLeitorDeTela([](EstadoDoApp *) -> QCoro::Task<QList<QString>> {
        throw LeitorDaTelaNoMac::SemPermissao();
        co_return {};
    });
    mostrarEditor(QStringLiteral("codigo"));
    EXPECT_FALSE(visivel(QStringLiteral("avisoDePermissao")));
    clicar(QStringLiteral("lerDaTela"));
    ASSERT_TRUE(esperarAte([&] { return modelo<ModeloDoEditorDeCodigo>()->permissaoDaTelaNegada(); }));
    avancar(50);
    EXPECT_TRUE(visivel(QStringLiteral("avisoDePermissao")));
    EXPECT_EQ(texto(QStringLiteral("textoDoAvisoDePermissao")),
              QStringLiteral("Permita que o Corvane capture a tela nas configurações de privacidade para ler o QR Code."));
    capturar(QStringLiteral("editores-aviso-de-permissao"));
    ModeloDoEditorDeCodigo::usarLeitorDeTela({});

    tecla(Qt::Key_Escape);
    EXPECT_FALSE(estado->edicao());
}

TEST_F(FolhaNaTela, LeituraEmCursoMostraIndicadorEIgnoraCliques)
{
    static QPromise<QList<QString>> *resposta = nullptr;
    static int leituras = 0;
    QPromise<QList<QString>> promessa;
    resposta = &promessa;
    leituras = 0;
    ModeloDoEditorDeCodigo::usarLeitorDeTela([](EstadoDoApp *) -> QCoro::Task<QList<QString>> {
        ++leituras;
        QFuture<QList<QString>> futuro = resposta->future();
        QList<QString> lidos = co_await futuro;
        co_return lidos;
    });
    promessa.start();
    mostrarEditor(QStringLiteral("codigo"));
    auto *opcao = achar<QQuickItem>(QStringLiteral("lerDaTela"));
    EXPECT_FALSE(opcao->findChild<QQuickItem *>(QStringLiteral("indicador"))->isVisible());
    clicar(QStringLiteral("lerDaTela"));
    EXPECT_TRUE(opcao->findChild<QQuickItem *>(QStringLiteral("indicador"))->isVisible());
    EXPECT_FALSE(opcao->findChild<QQuickItem *>(QStringLiteral("simbolo"))->isVisible());
    EXPECT_FALSE(opcao->isEnabled());
    clicar(QStringLiteral("lerDaTela"));
    EXPECT_EQ(leituras, 1) << "o clique durante a leitura é ignorado";
    EXPECT_TRUE(achar<QQuickItem>(QStringLiteral("colar"))->isEnabled()) << "os outros seguem ativos";

    promessa.addResult(QList<QString>{linkA});
    promessa.finish();
    ASSERT_TRUE(esperarAte([&] { return !modelo<ModeloDoEditorDeCodigo>()->lendoATela(); }));
    avancar(50);
    EXPECT_TRUE(opcao->isEnabled());
    EXPECT_EQ(modelo<ModeloDoEditorDeCodigo>()->emissor(), QStringLiteral("GitHub"));
    ModeloDoEditorDeCodigo::usarLeitorDeTela({});
}

TEST_F(FolhaNaTela, DeUmaImagemSemPortalAbreONossoSeletor)
{
    // A desktop without a file chooser portal: our chooser, in our window, in the Pictures folder.
    BarramentoPrivado barramento;
    ASSERT_TRUE(barramento.pronto());
    PedidoAoPortal::usarBarramento(barramento.conectar(QStringLiteral("folha-sem-portal")));
    const QString imagens = pasta.arquivo(QStringLiteral("Imagens"));
    definirPastaDeImagens(pasta.configuracao(), imagens);
    ASSERT_TRUE(QDir(imagens).mkdir(QStringLiteral("Antigas")));
    ASSERT_TRUE(Testes::imagemDeQR(linkA).save(imagens + QStringLiteral("/qr do github.png")));
    ASSERT_TRUE(Testes::imagemDeQR(linkA, 900).save(
        imagens + QStringLiteral("/Captura de tela de 2026-12-10 14-16-23 da página de segurança do banco.png")));
    ASSERT_TRUE(Testes::imagemDeQR(linkA, 120).save(imagens + QStringLiteral("/Zebra.PNG")));
    QFile notas(imagens + QStringLiteral("/notas.txt"));
    ASSERT_TRUE(notas.open(QIODevice::WriteOnly));
    notas.write("não é imagem");
    notas.close();

    mostrarEditor(QStringLiteral("codigo"));
    clicar(QStringLiteral("deUmaImagem"));
    auto *seletor = achar(QStringLiteral("seletorDeImagem"));
    ASSERT_TRUE(esperarAte([&] { return seletor->property("visible").toBool(); }));
    auto *lista = achar<QQuickItem>(QStringLiteral("listaDoSeletor"));
    ASSERT_TRUE(esperarAte([&] { return lista->property("count").toInt() == 4; }))
        << "a pasta e as três imagens, sem o texto: " << lista->property("count").toInt();
    // Folders first, then the names whatever their case.
    auto *entradas = qvariant_cast<QAbstractItemModel *>(lista->property("model"));
    ASSERT_NE(entradas, nullptr);
    const int papelDoNome = entradas->roleNames().key("fileName");
    QStringList ordem;
    for (int linha = 0; linha < entradas->rowCount(); ++linha)
        ordem << entradas->data(entradas->index(linha, 0), papelDoNome).toString();
    EXPECT_EQ(ordem, (QStringList{QStringLiteral("Antigas"),
                                  QStringLiteral("Captura de tela de 2026-12-10 14-16-23 da página de segurança do banco.png"),
                                  QStringLiteral("qr do github.png"), QStringLiteral("Zebra.PNG")}));
    avancar(400);
    EXPECT_TRUE(modelo<ModeloDoEditorDeCodigo>()->escolhendoImagem());
    EXPECT_EQ(texto(QStringLiteral("caminhoDaPasta")), imagens);
    auto *filtro = achar<QQuickItem>(QStringLiteral("filtroDoSeletor"));
    EXPECT_EQ(filtro->property("text").toString(), QStringLiteral("Imagens (PNG, JPEG, GIF, BMP, WebP, TIFF)"));
    EXPECT_FALSE(filtro->property("truncated").toBool());

    // Each row's name, size and date sit side by side, never over one another.
    QList<QQuickItem *> linhas;
    const std::function<void(QQuickItem *)> juntar = [&](QQuickItem *item) {
        linhas.append(item);
        for (QQuickItem *filho : item->childItems())
            juntar(filho);
    };
    juntar(lista);
    int conferidas = 0;
    for (QQuickItem *linha : linhas) {
        if (!linha->objectName().startsWith(QLatin1String("linha_")))
            continue;
        SCOPED_TRACE(linha->objectName().toStdString());
        QQuickItem *nome = nullptr;
        QQuickItem *tamanho = nullptr;
        QQuickItem *data = nullptr;
        for (QQuickItem *celula : linha->childItems().constFirst()->childItems()) {
            if (celula->objectName() == QLatin1String("nome"))
                nome = celula;
            else if (celula->objectName() == QLatin1String("tamanho"))
                tamanho = celula;
            else if (celula->objectName() == QLatin1String("data"))
                data = celula;
        }
        ASSERT_TRUE(nome && tamanho && data);
        const QRectF emNome = nome->mapRectToScene(QRectF(0, 0, nome->width(), nome->height()));
        const QRectF emTamanho = tamanho->mapRectToScene(QRectF(0, 0, tamanho->width(), tamanho->height()));
        const QRectF emData = data->mapRectToScene(QRectF(0, 0, data->width(), data->height()));
        EXPECT_LE(emNome.right(), emTamanho.left());
        EXPECT_LE(emTamanho.right(), emData.left());
        EXPECT_LE(tamanho->property("contentWidth").toReal(), tamanho->width());
        EXPECT_LE(data->property("contentWidth").toReal(), data->width());
        EXPECT_FALSE(data->property("text").toString().isEmpty());
        ++conferidas;
    }
    EXPECT_EQ(conferidas, 4);
    const auto janelas = QGuiApplication::topLevelWindows();
    EXPECT_EQ(std::count_if(janelas.begin(), janelas.end(), [](QWindow *j) { return j->isVisible(); }), 1)
        << "nenhuma janela do sistema toma o foco";
    EXPECT_TRUE(janela()->isActive());
    capturar(QStringLiteral("editores-seletor-de-imagem"));

    // Double-clicking the image reads it and closes the chooser.
    const auto qr = std::find_if(linhas.begin(), linhas.end(), [](QQuickItem *item) {
        return item->objectName() == QLatin1String("linha_qr do github.png");
    });
    ASSERT_NE(qr, linhas.end());
    QTest::mouseDClick(janela(), Qt::LeftButton, {}, centro(*qr));
    ASSERT_TRUE(esperarAte([&] { return !modelo<ModeloDoEditorDeCodigo>()->emissor().isEmpty(); }));
    avancar(400);
    EXPECT_EQ(modelo<ModeloDoEditorDeCodigo>()->emissor(), QStringLiteral("GitHub"));
    EXPECT_FALSE(seletor->property("visible").toBool());
    EXPECT_FALSE(modelo<ModeloDoEditorDeCodigo>()->escolhendoImagem());

    // By keyboard: Down picks the folder (not an image: "Abrir" stays off), Return enters it,
    // Backspace goes back up, Escape closes without a choice.
    clicar(QStringLiteral("deUmaImagem"));
    ASSERT_TRUE(esperarAte([&] { return seletor->property("visible").toBool(); }));
    ASSERT_TRUE(esperarAte([&] { return lista->property("count").toInt() == 4; }));
    avancar(300);
    tecla(Qt::Key_Down);
    EXPECT_EQ(lista->property("currentIndex").toInt(), 0);
    EXPECT_FALSE(achar(QStringLiteral("abrirImagem"))->property("enabled").toBool());
    tecla(Qt::Key_Return);
    ASSERT_TRUE(esperarAte([&] { return texto(QStringLiteral("caminhoDaPasta")) == imagens + QStringLiteral("/Antigas"); }));
    ASSERT_TRUE(esperarAte([&] { return visivel(QStringLiteral("pastaVazia")); }));
    tecla(Qt::Key_Backspace);
    ASSERT_TRUE(esperarAte([&] { return texto(QStringLiteral("caminhoDaPasta")) == imagens; }));
    ASSERT_TRUE(esperarAte([&] { return lista->property("count").toInt() == 4; }));
    tecla(Qt::Key_Down);
    tecla(Qt::Key_Down);
    EXPECT_TRUE(achar(QStringLiteral("abrirImagem"))->property("enabled").toBool());
    capturar(QStringLiteral("editores-seletor-de-imagem-escolhida"));
    tecla(Qt::Key_Escape);
    avancar(300);
    EXPECT_FALSE(seletor->property("visible").toBool());
    EXPECT_FALSE(modelo<ModeloDoEditorDeCodigo>()->escolhendoImagem());
    PedidoAoPortal::usarBarramento(std::nullopt);
    QDBusConnection::disconnectFromBus(QStringLiteral("folha-sem-portal"));
}

TEST_F(FolhaNaTela, SenhaSalvaComReturnEMostraSalvando)
{
    mostrarEditor(QStringLiteral("senha"));
    EXPECT_EQ(texto(QStringLiteral("tituloDaFolha")), QStringLiteral("Nova senha"));
    capturar(QStringLiteral("editores-senha-nova"));
    auto *editor = modelo<ModeloDoEditorDeSenha>();
    tecla(Qt::Key_Return);
    EXPECT_TRUE(estado->edicao()) << "Return não salva o que não pode ser salvo";

    QTest::mouseClick(janela(), Qt::LeftButton, {},
                      centro(achar<QQuickItem>(QStringLiteral("campoNome"))->findChild<QQuickItem *>(QStringLiteral("entrada"))));
    digitar(QStringLiteral("Banco"));
    clicar(QStringLiteral("botaoGerar"));
    EXPECT_EQ(texto(QStringLiteral("botaoMostrar")), QStringLiteral("Esconder"));
    EXPECT_EQ(texto(QStringLiteral("linhaDeForca")), QStringLiteral("Força: Muito forte"));
    EXPECT_EQ(editor->titulo(), QStringLiteral("Banco"));

    servidor.definirAtraso(std::chrono::milliseconds(400));
    tecla(Qt::Key_Return);
    EXPECT_TRUE(editor->salvando());
    EXPECT_EQ(texto(QStringLiteral("botaoSalvar")), QStringLiteral("Salvando…"));
    EXPECT_FALSE(achar(QStringLiteral("botaoSalvar"))->property("enabled").toBool());
    capturar(QStringLiteral("editores-salvando"));
    tecla(Qt::Key_Return);
    ASSERT_TRUE(esperarAte([&] { return !estado->edicao(); }));
    EXPECT_EQ(cofre().senhas().size(), 1) << "o segundo Return não salvou de novo";
    EXPECT_EQ(avisoAtual(), QStringLiteral("Senha guardada"));
}

// While a save runs, Escape and "Cancelar" leave the sheet up; the save's outcome then shows
// as always: the toast and a closed sheet, or the message over the fields as typed.
TEST_F(FolhaNaTela, EnquantoSalvaEscapeECancelarNaoFecham)
{
    const struct {
        const char *nome;
        bool falha;
        bool peloBotao; // "Cancelar" clicked rather than Escape
    } casos[] = {
        {"sucesso, Escape", false, false},
        {"sucesso, Cancelar", false, true},
        {"falha, Escape", true, false},
        {"falha, Cancelar", true, true},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        mostrarEditor(QStringLiteral("nota"));
        avancar(50);
        auto *editor = modelo<ModeloDoEditorDeNota>();
        editor->definirTitulo(QStringLiteral("Wi-Fi de casa"));
        editor->definirTextoDaNota(QStringLiteral("rede oculta"));
        const qsizetype antes = cofre().notas().size();
        servidor.definirAtraso(std::chrono::milliseconds(400));
        if (caso.falha)
            servidor.falharProximas(1, Servidor::Falha::erro(500, QStringLiteral("erro-interno")), {},
                                    QStringLiteral("/v1/cofre/itens"));
        tecla(Qt::Key_Return);
        ASSERT_TRUE(editor->salvando());
        EXPECT_FALSE(achar(QStringLiteral("botaoCancelar"))->property("enabled").toBool());
        if (caso.peloBotao)
            clicar(QStringLiteral("botaoCancelar"));
        else
            tecla(Qt::Key_Escape);
        EXPECT_TRUE(estado->edicao()) << "a folha segue aberta enquanto salva";

        ASSERT_TRUE(esperarAte([&] { return !estado->edicao() || !editor->salvando(); }));
        avancar(50);
        if (caso.falha) {
            ASSERT_TRUE(estado->edicao());
            EXPECT_FALSE(editor->erro().isEmpty());
            EXPECT_TRUE(visivel(QStringLiteral("erroDaFolha")));
            EXPECT_EQ(editor->titulo(), QStringLiteral("Wi-Fi de casa")) << "o que foi digitado fica";
            EXPECT_EQ(cofre().notas().size(), antes);
            // Once the save is over, Escape closes again.
            tecla(Qt::Key_Escape);
            EXPECT_FALSE(estado->edicao());
        } else {
            EXPECT_EQ(avisoAtual(), QStringLiteral("Nota guardada"));
            EXPECT_EQ(cofre().notas().size(), antes + 1);
        }
        servidor.limparFalhas();
    }
}

// Every editor puts the keyboard in its first field as it opens, so typing goes somewhere.
TEST_F(FolhaNaTela, PrimeiroCampoTemOFocoAoAbrir)
{
    const QString codigo = guardar(DadosDeCodigo::novo(QStringLiteral("GitHub"), QStringLiteral("ana"),
                                                       QStringLiteral("JBSWY3DPEHPK3PXP"), AlgoritmoTotp::sha1, 6, 30)
                                       .json,
                                   TipoDeItem::codigo);
    const struct {
        const char *tipo;
        QString item;
        const char *campo;
    } casos[] = {
        {"nota", {}, "campoTitulo"},
        {"senha", {}, "campoNome"},
        {"codigo", {}, "campoServico"},
        {"codigo", codigo, "campoServico"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(std::string(caso.tipo) + " " + caso.item.toStdString());
        mostrarEditor(QString::fromLatin1(caso.tipo), caso.item);
        avancar(50);
        auto *entrada = achar<QQuickItem>(QString::fromLatin1(caso.campo))->findChild<QQuickItem *>(QStringLiteral("entrada"));
        ASSERT_NE(entrada, nullptr);
        EXPECT_TRUE(entrada->hasActiveFocus());
        estado->fecharEdicao();
        avancar(50);
    }
}

// In the password editor Tab follows the form: the user name, then the password, then its
// "Mostrar" and "Gerar senha forte" links; and Shift+Tab back.
TEST_F(FolhaNaTela, TabSegueAOrdemDoFormularioDaSenha)
{
    mostrarEditor(QStringLiteral("senha"));
    avancar(50);
    const auto entradaDe = [this](const char *nome) {
        return achar<QQuickItem>(QString::fromLatin1(nome))->findChild<QQuickItem *>(QStringLiteral("entrada"));
    };
    const QList<QQuickItem *> ordem = {entradaDe("campoNome"), entradaDe("campoSite"), entradaDe("campoUsuario"),
                                       achar<QQuickItem>(QStringLiteral("campoSenha"))};
    ASSERT_TRUE(ordem.first()->hasActiveFocus());
    for (qsizetype i = 1; i < ordem.size(); ++i) {
        SCOPED_TRACE(i);
        tecla(Qt::Key_Tab);
        EXPECT_TRUE(ordem.at(i)->hasActiveFocus());
    }
    // Typed into "Senha", the password is the model's.
    digitar(QStringLiteral("x9"));
    EXPECT_EQ(modelo<ModeloDoEditorDeSenha>()->senha(), QStringLiteral("x9"));
    QTest::keyClick(janela(), Qt::Key_Backtab, Qt::ShiftModifier);
    avancar(50);
    EXPECT_TRUE(ordem.at(2)->hasActiveFocus()) << "Shift+Tab volta ao usuário";
    tecla(Qt::Key_Tab);
    EXPECT_TRUE(ordem.last()->hasActiveFocus());
    // Past the field come its links and the notes, never an earlier field.
    tecla(Qt::Key_Tab);
    for (QQuickItem *campo : ordem)
        EXPECT_FALSE(campo->hasActiveFocus());
}

// The keyboard selects in a masked field as in any other (Ctrl+A, Shift+Home), so a typed
// password can be replaced; nothing of it reaches the primary selection.
TEST_F(FolhaNaTela, TecladoSelecionaNoCampoMascarado)
{
    mostrarEditor(QStringLiteral("senha"));
    avancar(50);
    auto *senha = achar<QQuickItem>(QStringLiteral("campoSenha"));
    senha->forceActiveFocus();
    digitar(QStringLiteral("segredo"));
    QTest::keyClick(janela(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(senha->property("selectedText").toString(), QStringLiteral("segredo"));
    QTest::keyClick(janela(), Qt::Key_End);
    QTest::keyClick(janela(), Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(senha->property("selectedText").toString(), QStringLiteral("segredo"));
    digitar(QStringLiteral("novo"));
    EXPECT_EQ(modelo<ModeloDoEditorDeSenha>()->senha(), QStringLiteral("novo")) << "a seleção é trocada";
    if (QGuiApplication::clipboard()->supportsSelection()) {
        EXPECT_FALSE(QGuiApplication::clipboard()->text(QClipboard::Selection).contains(QStringLiteral("segredo")));
    }
}

TEST_F(FolhaNaTela, ApagarPerguntaComApagarComoPadrao)
{
    const QString id = guardar(DadosDeNota(QStringLiteral("Wi-Fi de casa"), QStringLiteral("rede"), true).json,
                               TipoDeItem::nota);
    mostrarEditor(QStringLiteral("nota"), id);
    EXPECT_EQ(texto(QStringLiteral("tituloDaFolha")), QStringLiteral("Editar nota"));
    EXPECT_TRUE(visivel(QStringLiteral("botaoApagar")));
    EXPECT_EQ(modelo<ModeloDoEditorDeNota>()->titulo(), QStringLiteral("Wi-Fi de casa"));
    capturar(QStringLiteral("editores-nota-editando"));

    clicar(QStringLiteral("botaoApagar"));
    EXPECT_EQ(texto(QStringLiteral("mensagemDeApagar")), QStringLiteral("Apagar Wi-Fi de casa?"));
    capturar(QStringLiteral("editores-pergunta-de-apagar"));
    clicar(QStringLiteral("respostaCancelar"));
    EXPECT_TRUE(cofre().itemAberto(id));
    EXPECT_TRUE(estado->edicao());

    clicar(QStringLiteral("botaoApagar"));
    tecla(Qt::Key_Return);
    ASSERT_TRUE(esperarAte([&] { return !estado->edicao(); }));
    EXPECT_FALSE(cofre().itemAberto(id));
    EXPECT_EQ(avisoAtual(), QStringLiteral("Nota apagada"));
}

TEST_F(FolhaNaTela, EditandoCodigoESenhaSemBloco)
{
    const QString codigo = guardar(DadosDeCodigo::novo(QStringLiteral("GitHub"), QStringLiteral("ana"),
                                                       QStringLiteral("JBSWY3DPEHPK3PXP"), AlgoritmoTotp::sha1, 6, 30)
                                       .json,
                                   TipoDeItem::codigo);
    mostrarEditor(QStringLiteral("codigo"), codigo);
    EXPECT_EQ(texto(QStringLiteral("tituloDaFolha")), QStringLiteral("Editar código"));
    EXPECT_FALSE(visivel(QStringLiteral("blocoDeLeitura")));
    EXPECT_TRUE(achar(QStringLiteral("campoSegredo"))->property("seguro").toBool());
    clicar(QStringLiteral("opcoesAvancadas"));
    capturar(QStringLiteral("editores-codigo-editando"));

    const QString senha = guardar(DadosDeSenha::novo(QStringLiteral("Banco"), QStringLiteral("ana"),
                                                     QStringLiteral("segredo"), {QStringLiteral("banco.com.br")}, {},
                                                     false)
                                      .json,
                                  TipoDeItem::senha);
    mostrarEditor(QStringLiteral("senha"), senha);
    EXPECT_EQ(texto(QStringLiteral("tituloDaFolha")), QStringLiteral("Editar senha"));
    EXPECT_EQ(achar(QStringLiteral("campoSite"))->property("texto").toString(), QStringLiteral("banco.com.br"));
    capturar(QStringLiteral("editores-senha-editando"));

    mostrarEditor(QStringLiteral("nota"));
    EXPECT_EQ(texto(QStringLiteral("tituloDaFolha")), QStringLiteral("Nova nota"));
    capturar(QStringLiteral("editores-nota-nova"));
}

TEST_F(FolhaNaTela, ReturnNumCampoSalvaENoLinkSoUsaOLink)
{
    mostrarEditor(QStringLiteral("nota"));
    QTest::mouseClick(janela(), Qt::LeftButton, {},
                      centro(achar<QQuickItem>(QStringLiteral("campoTitulo"))->findChild<QQuickItem *>(QStringLiteral("entrada"))));
    digitar(QStringLiteral("Wi-Fi"));
    tecla(Qt::Key_Return);
    ASSERT_TRUE(esperarAte([&] { return !estado->edicao(); }));
    ASSERT_EQ(cofre().notas().size(), 1);

    mostrarEditor(QStringLiteral("codigo"));
    auto *editor = modelo<ModeloDoEditorDeCodigo>();
    editor->definirEmissor(QStringLiteral("Antes"));
    editor->definirSegredo(QStringLiteral("JBSWY3DPEHPK3PXP"));
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(achar<QQuickItem>(QStringLiteral("campoDoLink"))));
    editor->definirLink(QStringLiteral("otpauth://totp/GitHub:ana?secret=GEZDGNBVGY3TQOJQ&issuer=GitHub"));
    tecla(Qt::Key_Return);
    EXPECT_EQ(editor->emissor(), QStringLiteral("GitHub"));
    EXPECT_TRUE(estado->edicao()) << "o Return do link não salva a folha";
    EXPECT_TRUE(cofre().codigos().isEmpty());
}

// The sheet as the vault window presents it, in a card no taller than the window allows: with
// the reader's two-line error, only the form gives way and scrolls; the title, the error and
// the buttons stay whole inside the card.
class FolhaNaJanela : public FolhaNaTela, public ::testing::WithParamInterface<int> {};

TEST_P(FolhaNaJanela, ErroDeDuasLinhasNaoEmpurraOsBotoesParaFora)
{
    const int altura = GetParam();
    ModeloDoEditorDeCodigo::usarLeitorDeTela([](EstadoDoApp *) -> QCoro::Task<QList<QString>> { co_return {}; });
    estado->editar(QStringLiteral("codigo"));
    mostrar(QStringLiteral("import QtQuick\nimport Corvane.App\nimport Corvane.Editores\n"
                           "Item { width: parent ? parent.width : 0; height: parent ? parent.height : 0\n"
                           "Rectangle { objectName: \"cartao\"; anchors.centerIn: parent; width: 460; "
                           "height: Math.min(editor.implicitHeight, parent.height - 48); clip: true\n"
                           "EditorNoMac { id: editor; anchors.fill: parent; estado: estadoDeTeste } } }"),
            QSize(520, altura), QStringLiteral("#d9dde6"));
    clicar(QStringLiteral("lerDaTela"));
    ASSERT_TRUE(esperarAte([&] { return !modelo<ModeloDoEditorDeCodigo>()->erro().isEmpty(); }));
    avancar(400);
    // Drawn first, so every layout has settled.
    capturar(QStringLiteral("editores-codigo-erro-de-duas-linhas-%1").arg(altura));
    auto *cartao = achar<QQuickItem>(QStringLiteral("cartao"));
    const QRectF dentro = cartao->mapRectToScene(QRectF(0, 0, cartao->width(), cartao->height()));
    for (const char *nome : {"tituloDaFolha", "erroDaFolha", "botaoCancelar", "botaoSalvar"}) {
        auto *alvo = achar<QQuickItem>(QString::fromLatin1(nome));
        const QRectF onde = alvo->mapRectToScene(QRectF(0, 0, alvo->width(), alvo->height()));
        EXPECT_TRUE(dentro.contains(onde)) << nome << " fora do cartão: " << onde.y() << "+" << onde.height() << " em "
                                           << dentro.y() << "+" << dentro.height();
    }
    EXPECT_GE(achar<QQuickItem>(QStringLiteral("erroDaFolha"))->height(), 30) << "duas linhas";
    EXPECT_GT(achar<QQuickItem>(QStringLiteral("rolagemDoFormulario"))->height(), 0);
    EXPECT_EQ(rolagensQueVazam(qobject_cast<QQuickItem *>(raiz())), QStringList());
    ModeloDoEditorDeCodigo::usarLeitorDeTela({});
}

INSTANTIATE_TEST_SUITE_P(Alturas, FolhaNaJanela, ::testing::Values(680, 560, 420));
