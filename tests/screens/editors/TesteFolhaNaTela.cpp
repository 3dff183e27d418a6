// The edit sheet and the three editors on screen: titles, buttons, Escape and Return, the
// delete question, the reading block, the preview and the error line; with screenshots.
#include "EditorDeCodigo.h"
#include "EditorDeNota.h"
#include "EditorDeSenha.h"
#include "LeitorDaTela.h"
#include "QuadroDoEditor.h"
#include "app/Mola.h"
#include "app/RelogioDasTelas.h"
#include "app/Tipo.h"
#include "support/Executar.h"

#include <QCoro/QCoroFuture>
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
    // The dispatching sheet over the state, in a window the size of a sheet.
    QQuickItem *mostrarEditor(const QString &tipo, const QString &item = {})
    {
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

TEST_F(FolhaNaTela, DeUmaImagemAbreOSeletorDoProprioPrograma)
{
    mostrarEditor(QStringLiteral("codigo"));
    clicar(QStringLiteral("deUmaImagem"));
    avancar(300);
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
    EXPECT_TRUE(achar(QStringLiteral("seletorDeImagem"))->property("visible").toBool());
    const auto janelas = QGuiApplication::topLevelWindows();
    EXPECT_EQ(std::count_if(janelas.begin(), janelas.end(), [](QWindow *j) { return j->isVisible(); }), 1)
        << "nenhuma janela do sistema toma o foco";
    EXPECT_TRUE(janela()->isActive());
    capturar(QStringLiteral("editores-seletor-de-imagem"));
    tecla(Qt::Key_Escape);
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
