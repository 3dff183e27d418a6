// The code editor's imports: one code fills the form, several are saved in one batch, the screen
// reader's outcomes, the clipboard, drops decoded in memory, and the guard against saving the
// same codes twice.
#include "EditorDeCodigo.h"
#include "LeitorDaTela.h"
#include "QuadroDoEditor.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/Executar.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

namespace {

const QString linkA = QStringLiteral("otpauth://totp/GitHub:ana?secret=JBSWY3DPEHPK3PXP&issuer=GitHub");
const QString linkB = QStringLiteral("otpauth://totp/Google:ana?secret=GEZDGNBVGY3TQOJQ&issuer=Google");

QString migracaoDeTres()
{
    return Testes::linkDeMigracao({
        {QByteArray("12345678901234567890"), QStringLiteral("ana@exemplo.com"), QStringLiteral("Google")},
        {QByteArray("abcdefghij"), QStringLiteral("ana"), QStringLiteral("GitHub"), 1, 2},
        {QByteArray("0123456789"), QStringLiteral("ana"), QStringLiteral("Banco")},
    });
}

QByteArray png(const QImage &imagem)
{
    QByteArray bytes;
    QBuffer saida(&bytes);
    saida.open(QIODevice::WriteOnly);
    imagem.save(&saida, "PNG");
    return bytes;
}

} // namespace

class Importacao : public QuadroDoEditor {
protected:
    void SetUp() override
    {
        QuadroDoEditor::SetUp();
        estado->editar(QStringLiteral("codigo"));
        modelo = std::make_unique<ModeloDoEditorDeCodigo>();
        modelo->definirEstado(estado.get());
    }
    void TearDown() override
    {
        ModeloDoEditorDeCodigo::usarLeitorDeTela({});
        modelo.reset();
        QuadroDoEditor::TearDown();
    }

    void leitorDeTela(std::function<QList<QString>()> resposta)
    {
        ModeloDoEditorDeCodigo::usarLeitorDeTela([resposta](EstadoDoApp *) -> QCoro::Task<QList<QString>> {
            co_return resposta();
        });
    }
    bool salvou(qsizetype quantos)
    {
        return esperarAte([&] { return cofre().codigos().size() == quantos && !modelo->salvando(); });
    }

    std::unique_ptr<ModeloDoEditorDeCodigo> modelo;
};

TEST_F(Importacao, UmLinkPreencheOFormularioELimpaOCampo)
{
    modelo->definirSite(QStringLiteral("antigo.com"));
    modelo->definirEmissor(QStringLiteral("digitado"));
    modelo->definirLink(QStringLiteral("  ") + linkA + QStringLiteral("\n"));
    modelo->usarLink();
    EXPECT_EQ(json(modelo->dados()),
              QStringLiteral(R"({"emissor":"GitHub","conta":"ana","segredo":"JBSWY3DPEHPK3PXP","algoritmo":"SHA1",)"
                             R"("digitos":6,"periodo":30,"favorito":false,"notas":""})"));
    EXPECT_EQ(modelo->link(), QString());
    EXPECT_TRUE(modelo->podeSalvar()) << "a prévia aparece";
    EXPECT_TRUE(cofre().codigos().isEmpty()) << "um código só preenche";
}

TEST_F(Importacao, LinkEmBrancoNaoFazNada)
{
    modelo->definirSegredo(QStringLiteral("JBSWY3DPEHPK3PXP"));
    modelo->definirLink(QStringLiteral("   "));
    EXPECT_FALSE(modelo->podeUsarLink());
    modelo->usarLink();
    EXPECT_EQ(modelo->segredo(), QStringLiteral("JBSWY3DPEHPK3PXP"));
    EXPECT_EQ(modelo->erro(), QString());

    modelo->importarLeituras({QStringLiteral("ABC 189")});
    EXPECT_EQ(modelo->erro(), QStringLiteral("Esse link ou QR Code não é de verificação em duas etapas."));
    EXPECT_EQ(modelo->segredo(), QStringLiteral("JBSWY3DPEHPK3PXP"));
}

TEST_F(Importacao, MigracaoDeTresSalvaEmLoteEFecha)
{
    modelo->definirLink(migracaoDeTres());
    modelo->usarLink();
    EXPECT_TRUE(modelo->salvando());
    // A second press while the batch is saving is ignored.
    modelo->usarLink();
    modelo->importarLeituras({linkA, linkB});
    ASSERT_TRUE(salvou(3));
    QList<QString> emissores;
    for (const ItemAberto &item : cofre().codigos())
        emissores << item.conteudo.codigo()->json.texto(QStringLiteral("emissor"));
    std::sort(emissores.begin(), emissores.end());
    EXPECT_EQ(emissores, (QList<QString>{QStringLiteral("Banco"), QStringLiteral("GitHub"), QStringLiteral("Google")}));
    EXPECT_EQ(servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/cofre/lote")).size(), 1);
    EXPECT_EQ(avisoAtual(), QStringLiteral("3 códigos adicionados"));
    EXPECT_FALSE(estado->edicao());
}

TEST_F(Importacao, MigracaoDeUmaContaPreenche)
{
    modelo->importarLeituras({Testes::linkDeMigracao({{QByteArray("abcdefghij"), QStringLiteral("ana"),
                                                       QStringLiteral("GitHub")}})});
    EXPECT_EQ(modelo->emissor(), QStringLiteral("GitHub"));
    EXPECT_EQ(modelo->segredo(), QStringLiteral("MFRGGZDFMZTWQ2LK"));
    EXPECT_TRUE(cofre().codigos().isEmpty());
}

TEST_F(Importacao, LoteQueFalhaNoMeioDizQuantosESoReenviaOsOutros)
{
    QList<Testes::ContaExportada> contas;
    for (int i = 0; i < 260; ++i)
        contas.append({QByteArray("segredo-") + QByteArray::number(i), QStringLiteral("conta %1").arg(i),
                       QStringLiteral("Serviço %1").arg(i)});
    const QString link = Testes::linkDeMigracao(contas);
    // The first slice of 250 goes through; the second fails.
    int lotes = 0;
    QObject::connect(&servidor, &Servidor::ServidorDeDesenvolvimento::pedidoConcluido, modelo.get(),
                     [&](const Servidor::PedidoRegistrado &pedido) {
                         if (pedido.caminho == QLatin1String("/v1/cofre/lote") && ++lotes == 1)
                             servidor.falharProximas(1, Servidor::Falha::erro(500, QStringLiteral("interno"),
                                                                              QStringLiteral("Falhou.")),
                                                     QStringLiteral("POST"), QStringLiteral("/v1/cofre/lote"));
                     });
    modelo->importarLeituras({link});
    ASSERT_TRUE(esperarAte([&] { return !modelo->salvando() && !modelo->erro().isEmpty(); }));
    EXPECT_EQ(modelo->erro(), QStringLiteral("250 de 260 códigos foram adicionados. Falhou."));
    EXPECT_EQ(cofre().codigos().size(), 250);
    EXPECT_TRUE(estado->edicao());

    modelo->importarLeituras({link});
    ASSERT_TRUE(salvou(260));
    EXPECT_EQ(avisoAtual(), QStringLiteral("10 códigos adicionados")) << "só os que faltavam";
}

TEST_F(Importacao, LerATelaConformeOResultado)
{
    leitorDeTela([] { return QList<QString>{}; });
    Testes::executar(modelo->lerATelaAgora());
    EXPECT_EQ(modelo->erro(),
              QStringLiteral("Não achamos um QR Code na tela. Deixe o QR do site visível e tente de novo."));

    leitorDeTela([]() -> QList<QString> { throw LeitorDaTelaNoMac::SemPermissao(); });
    Testes::executar(modelo->lerATelaAgora());
    EXPECT_TRUE(modelo->permissaoDaTelaNegada());
    EXPECT_EQ(modelo->erro(), QString());

    leitorDeTela([]() -> QList<QString> { throw LeitorDaTelaNoMac::FalhaNaCaptura(); });
    Testes::executar(modelo->lerATelaAgora());
    EXPECT_FALSE(modelo->permissaoDaTelaNegada()) << "o aviso de permissão é só para a permissão";
    EXPECT_EQ(modelo->erro(), QStringLiteral("Não deu para ler a tela. Tente de novo."));

    leitorDeTela([] { return QList<QString>{linkA, linkB}; });
    Testes::executar(modelo->lerATelaAgora());
    EXPECT_FALSE(modelo->lendoATela());
    ASSERT_TRUE(salvou(2));
    EXPECT_EQ(avisoAtual(), QStringLiteral("2 códigos adicionados"));
}

TEST_F(Importacao, ColarTextoVenceImagem)
{
    QClipboard *area = QGuiApplication::clipboard();
    auto *ambos = new QMimeData;
    ambos->setText(linkA);
    ambos->setImageData(Testes::imagemDeQR(linkB));
    area->setMimeData(ambos);
    Testes::executar(modelo->colarAgora());
    EXPECT_EQ(modelo->emissor(), QStringLiteral("GitHub"));

    area->setImage(Testes::imagemDeQR(linkB));
    Testes::executar(modelo->colarAgora());
    EXPECT_EQ(modelo->emissor(), QStringLiteral("Google"));

    area->setImage(Testes::imagemDeCodigoDeBarras(QStringLiteral("123")));
    Testes::executar(modelo->colarAgora());
    EXPECT_EQ(modelo->erro(), QStringLiteral("Não achamos um QR Code na imagem copiada."));

    area->clear();
    Testes::executar(modelo->colarAgora());
    EXPECT_EQ(modelo->erro(), QStringLiteral("Copie o link ou a imagem do QR Code e tente de novo."));
}

TEST_F(Importacao, ImagemColadaLidaForaDaLinhaPrincipal)
{
    // The click returns before the decoding: the form fills only once the worker is done.
    QGuiApplication::clipboard()->setImage(Testes::imagemDeQR(linkB));
    modelo->colar();
    EXPECT_EQ(modelo->emissor(), QString());
    ASSERT_TRUE(esperarAte([&] { return !modelo->emissor().isEmpty(); }));
    EXPECT_EQ(modelo->emissor(), QStringLiteral("Google"));
}

TEST(OrigemDaSoltura, SolturasMisturadas)
{
    const QUrl local = QUrl::fromLocalFile(QStringLiteral("/home/ana/Imagens/qr.png"));
    const QUrl outroLocal = QUrl::fromLocalFile(QStringLiteral("/home/ana/Imagens/outro.png"));
    const QUrl remoto(QStringLiteral("https://exemplo.com/2fa/qr.png"));
    const QByteArray bytes("\x89PNG...");
    const struct {
        const char *nome;
        QList<QUrl> enderecos;
        QByteArray imagem;
        bool aceita;
        QString arquivo;
        QByteArray lida;
    } casos[] = {
        {"nada", {}, {}, false, {}, {}},
        {"um arquivo do gerenciador de arquivos", {local}, {}, true, local.toLocalFile(), {}},
        {"arquivo e bytes: o arquivo vence", {local}, bytes, true, local.toLocalFile(), {}},
        {"vários arquivos: só o primeiro", {outroLocal, local}, {}, true, outroLocal.toLocalFile(), {}},
        {"imagem da web com os bytes (Firefox)", {remoto}, bytes, true, {}, bytes},
        {"imagem da web só com o endereço", {remoto}, {}, true, {}, {}},
        {"só os bytes", {}, bytes, true, {}, bytes},
        {"endereço remoto antes de um arquivo", {remoto, local}, bytes, true, {}, bytes},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const std::optional<OrigemDaSoltura> origem = origemDaSoltura(caso.enderecos, caso.imagem);
        ASSERT_EQ(origem.has_value(), caso.aceita);
        if (!origem)
            continue;
        EXPECT_EQ(origem->arquivo, caso.arquivo);
        EXPECT_EQ(origem->imagem, caso.lida);
    }
}

TEST_F(Importacao, SolturaDaWebLeOsBytesDaImagem)
{
    const QList<QUrl> daWeb{QUrl(QStringLiteral("https://exemplo.com/qr.png"))};
    ASSERT_TRUE(modelo->receberSoltura(daWeb, png(Testes::imagemDeQR(linkB))));
    ASSERT_TRUE(esperarAte([&] { return !modelo->emissor().isEmpty() || !modelo->erro().isEmpty(); }));
    EXPECT_EQ(modelo->emissor(), QStringLiteral("Google"));

    ASSERT_TRUE(modelo->receberSoltura(daWeb, {}));
    ASSERT_TRUE(esperarAte([&] { return !modelo->erro().isEmpty(); }));
    EXPECT_EQ(modelo->erro(), QStringLiteral("Não achamos um QR Code nessa imagem."));
}

TEST_F(Importacao, SolturaEArquivoLidosSemCopiaNoTemporario)
{
    // A temporary directory of this test's own: other programs on the machine write to /tmp.
    QTemporaryDir privado;
    ASSERT_TRUE(privado.isValid());
    const QByteArray tmpdirAntes = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(privado.path()));
    EXPECT_EQ(QDir::tempPath(), QDir::cleanPath(privado.path()));
    EXPECT_FALSE(modelo->receberSoltura({}, {}));
    ASSERT_TRUE(modelo->receberSoltura({}, png(Testes::ladoALado({Testes::imagemDeQR(linkA), Testes::imagemDeQR(linkB)}))));
    const bool salvouOsDois = salvou(2);
    const QStringList depois = QDir(privado.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (tmpdirAntes.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmpdirAntes);
    ASSERT_TRUE(salvouOsDois);
    EXPECT_TRUE(depois.isEmpty()) << "nada de cópia no diretório temporário: " << depois.join(u' ').toStdString();

    estado->editar(QStringLiteral("codigo"));
    auto outro = std::make_unique<ModeloDoEditorDeCodigo>();
    outro->definirEstado(estado.get());
    Testes::executar(outro->lerSolturaAgora(QString(), png(Testes::imagemDeCodigoDeBarras(QStringLiteral("1")))));
    EXPECT_EQ(outro->erro(), QStringLiteral("Não achamos um QR Code nessa imagem."));
    const QString arquivo = pasta.arquivo(QStringLiteral("qr.png"));
    ASSERT_TRUE(Testes::imagemDeQR(linkA).save(arquivo));
    Testes::executar(outro->lerArquivoAgora(arquivo));
    EXPECT_EQ(outro->emissor(), QStringLiteral("GitHub"));
    Testes::executar(outro->lerArquivoAgora(pasta.arquivo(QStringLiteral("falta.png"))));
    EXPECT_EQ(outro->erro(), QStringLiteral("Não encontramos um QR Code nessa imagem."));
}
