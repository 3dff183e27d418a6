// The editors' rules against an open vault on the development server: what they save, the
// toasts, the errors and the imports.
#include "EditorDeCodigo.h"
#include "EditorDeNota.h"
#include "EditorDeSenha.h"
#include "LeitorDaTela.h"
#include "QuadroDoEditor.h"
#include "core/Chaveiro.h"
#include "core/Envelope.h"
#include "core/GeradorDeSenha.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/Executar.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <functional>

namespace {

const QString linkA = QStringLiteral("otpauth://totp/GitHub:ana?secret=JBSWY3DPEHPK3PXP&issuer=GitHub");
const QString linkB = QStringLiteral("otpauth://totp/Google:ana?secret=GEZDGNBVGY3TQOJQ&issuer=Google");

ObjetoJSON objeto(const QString &json)
{
    return *ValorJSON::ler(json.toUtf8()).comoObjeto();
}

// Screen readers that stand in for the desktop.
struct LeitorFalso {
    explicit LeitorFalso(std::function<QList<QString>()> resposta)
    {
        ModeloDoEditorDeCodigo::usarLeitorDeTela([resposta](EstadoDoApp *) -> QCoro::Task<QList<QString>> {
            co_return resposta();
        });
    }
    ~LeitorFalso() { ModeloDoEditorDeCodigo::usarLeitorDeTela({}); }
};

} // namespace

class Editores : public QuadroDoEditor {
protected:
    template <typename Modelo>
    std::unique_ptr<Modelo> editor(TipoDeItem tipo, const QString &item = {})
    {
        estado->fecharEdicao(); // an open sheet is closed before another opens
        estado->editar(valorBruto(tipo), item);
        auto modelo = std::make_unique<Modelo>();
        modelo->definirEstado(estado.get());
        modelo->definirItem(item);
        modelo->carregar();
        return modelo;
    }
};

TEST_F(Editores, CodigoNovoSalvaSegredoNormalizadoEFecha)
{
    auto modelo = editor<ModeloDoEditorDeCodigo>(TipoDeItem::codigo);
    EXPECT_EQ(modelo->tituloDaFolha(), QStringLiteral("Novo código"));
    EXPECT_FALSE(modelo->podeSalvar());
    modelo->definirEmissor(QStringLiteral("  G "));
    modelo->definirSegredo(QStringLiteral("jbsw y3dp-ehpk 3pxp=="));
    modelo->definirSite(QStringLiteral(" github.com "));
    EXPECT_TRUE(modelo->podeSalvar());
    Testes::executar(modelo->salvarAgora());

    const QList<ItemAberto> codigos = cofre().codigos();
    ASSERT_EQ(codigos.size(), 1);
    EXPECT_EQ(json(codigos.first().conteudo.json()),
              QStringLiteral(R"({"emissor":"  G ","conta":"","segredo":"JBSWY3DPEHPK3PXP","algoritmo":"SHA1",)"
                             R"("digitos":6,"periodo":30,"favorito":false,"notas":"","sites":[" github.com "]})"));
    EXPECT_EQ(modelo->segredo(), QStringLiteral("jbsw y3dp-ehpk 3pxp==")) << "o campo mostra o que foi digitado";
    EXPECT_EQ(avisoAtual(), QStringLiteral("Código adicionado"));
    EXPECT_FALSE(estado->edicao());
    EXPECT_FALSE(modelo->salvando());
}

TEST_F(Editores, CodigoExistenteGuardaChavesDesconhecidasEPeriodoZero)
{
    const QString id = guardar(objeto(QStringLiteral(
                                   R"({"emissor":"Banco","extra":{"a":1},"segredo":"JBSWY3DPEHPK3PXP","periodo":0,)"
                                   R"("algoritmo":"sha256","sites":["a.com","b.com"],"notas":"n"})")),
                               TipoDeItem::codigo);
    const qint64 revisao = cofre().itemAberto(id)->revisao;
    auto modelo = editor<ModeloDoEditorDeCodigo>(TipoDeItem::codigo, id);
    EXPECT_TRUE(modelo->existente());
    EXPECT_EQ(modelo->tituloDaFolha(), QStringLiteral("Editar código"));
    EXPECT_EQ(modelo->periodo(), 1) << "um período abaixo de 1 é lido como 1";
    EXPECT_EQ(modelo->algoritmo(), QStringLiteral("SHA1")) << "maiúsculas e minúsculas contam";
    EXPECT_EQ(modelo->site(), QStringLiteral("a.com"));
    modelo->definirSite(QStringLiteral("c.com"));
    modelo->definirConta(QStringLiteral("ana"));
    servidor.limparPedidos();
    Testes::executar(modelo->salvarAgora());

    const QJsonObject corpo = servidor.pedidos(QStringLiteral("PUT"), QStringLiteral("/v1/cofre/itens/" ) + id).first().json();
    EXPECT_EQ(corpo.value(QStringLiteral("revisaoEsperada")).toInteger(), revisao);
    EXPECT_EQ(json(cofre().itemAberto(id)->conteudo.json()),
              QStringLiteral(R"({"emissor":"Banco","extra":{"a":1},"segredo":"JBSWY3DPEHPK3PXP","periodo":0,)"
                             R"("algoritmo":"sha256","sites":["c.com","b.com"],"notas":"n","conta":"ana"})"));
    EXPECT_EQ(avisoAtual(), QStringLiteral("Código salvo"));
}

TEST_F(Editores, MensagensDeFalhaAoSalvarCodigo)
{
    const struct {
        const char *nome;
        QString segredo;
        int digitos;
        QString esperado;
    } casos[] = {
        {"segredo com 1, 8, 9 ou 0", QStringLiteral("ABC18"), 6, QString::fromUtf8(mensagemDaChaveInvalida)},
        {"dígitos fora do aceito", QStringLiteral("JBSWY3DPEHPK3PXP"), 12,
         QStringLiteral("Algo não deu certo. Tente de novo.")},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        auto modelo = editor<ModeloDoEditorDeCodigo>(TipoDeItem::codigo);
        modelo->definirEmissor(QStringLiteral("X"));
        modelo->definirSegredo(caso.segredo);
        modelo->definirDigitos(caso.digitos);
        servidor.limparPedidos();
        Testes::executar(modelo->salvarAgora());
        EXPECT_EQ(modelo->erro(), caso.esperado);
        EXPECT_FALSE(modelo->salvando());
        EXPECT_TRUE(servidor.pedidos(QStringLiteral("PUT"), QStringLiteral("/v1/cofre")).isEmpty());
        EXPECT_TRUE(estado->edicao()) << "a folha fica aberta";
    }
    auto modelo = editor<ModeloDoEditorDeCodigo>(TipoDeItem::codigo);
    modelo->definirEmissor(QStringLiteral("X"));
    modelo->definirSegredo(QStringLiteral("JBSWY3DPEHPK3PXP"));
    servidor.falharProximas(1, Servidor::Falha::erro(409, QStringLiteral("conflito-de-revisao")), QStringLiteral("PUT"));
    Testes::executar(modelo->salvarAgora());
    EXPECT_EQ(modelo->erro(), QStringLiteral("Este item mudou em outro aparelho."));
}

TEST_F(Editores, PreviaNosMomentosFixos)
{
    auto modelo = editor<ModeloDoEditorDeCodigo>(TipoDeItem::codigo);
    const QDateTime momento = QDateTime::fromSecsSinceEpoch(59, Qt::UTC);
    // RFC 6238's SHA1 vector at 59 s, eight digits: 94287082.
    modelo->definirSegredo(QStringLiteral("gezd gnbv gy3t qojq gezd gnbv gy3t qojq"));
    modelo->definirDigitos(8);
    EXPECT_EQ(modelo->codigoDaPrevia(momento), QStringLiteral("9428 7082"));
    modelo->definirAlgoritmo(QStringLiteral("SHA256"));
    EXPECT_NE(modelo->codigoDaPrevia(momento), QStringLiteral("9428 7082"));
    modelo->definirPeriodo(0);
    EXPECT_EQ(modelo->periodoDaPrevia(), 1);
    for (const QString &ruim : {QString(), QStringLiteral("ABC1"), QStringLiteral("08")}) {
        modelo->definirSegredo(ruim);
        EXPECT_EQ(modelo->codigoDaPrevia(momento), QString()) << ruim.toStdString();
    }
}

TEST_F(Editores, SenhaNovaComSiteEGerador)
{
    OpcoesDeSenha opcoes;
    opcoes.tamanho = 32;
    opcoes.simbolos = false;
    estado->preferencias()->definirOpcoesDoGerador(opcoes);
    auto modelo = editor<ModeloDoEditorDeSenha>(TipoDeItem::senha);
    EXPECT_EQ(modelo->forca(), QString());
    modelo->definirSenha(QStringLiteral(" "));
    EXPECT_FALSE(modelo->forca().isEmpty()) << "um espaço já mostra a força";
    modelo->gerarSenhaForte();
    EXPECT_EQ(modelo->senha().size(), 32);
    EXPECT_TRUE(modelo->mostrar());
    EXPECT_EQ(modelo->forca(), QStringLiteral("Força: Muito forte"));
    EXPECT_FALSE(modelo->podeSalvar());
    modelo->definirTitulo(QStringLiteral("   "));
    modelo->definirSite(QStringLiteral("  https://www.Exemplo.com.br/entrar "));
    EXPECT_TRUE(modelo->podeSalvar());
    Testes::executar(modelo->salvarAgora());
    const QList<ItemAberto> senhas = cofre().senhas();
    ASSERT_EQ(senhas.size(), 1);
    const ObjetoJSON &salvo = senhas.first().conteudo.json();
    EXPECT_EQ(salvo.texto(QStringLiteral("titulo")), QStringLiteral("exemplo.com.br"));
    EXPECT_EQ(salvo.sites(), QList<QString>{QStringLiteral("https://www.Exemplo.com.br/entrar")});
    EXPECT_EQ(avisoAtual(), QStringLiteral("Senha guardada"));
}

TEST_F(Editores, RegrasDaSenhaAoSalvar)
{
    using M = ModeloDoEditorDeSenha;
    EXPECT_EQ(M::sitesAoSalvar({}, QStringLiteral(" a.com ")), QList<QString>{QStringLiteral("a.com")});
    EXPECT_EQ(M::sitesAoSalvar({}, QStringLiteral("  ")), QList<QString>{});
    EXPECT_EQ(M::sitesAoSalvar({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, QStringLiteral("x")),
              (QList<QString>{QStringLiteral("x"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(M::sitesAoSalvar({QStringLiteral("a"), QString(), QStringLiteral("c")}, QString()),
              QList<QString>{QStringLiteral("c")});
    EXPECT_EQ(M::tituloDoSite(QStringLiteral(" meu site ")), QStringLiteral("meu site"));
}

TEST_F(Editores, SenhaExistenteMantemChavesEOrdem)
{
    const QString id = guardar(objeto(QStringLiteral(
                                   R"({"titulo":"Banco","usuario":"ana","senha":"x","sites":["a.com","","c.com"],)"
                                   R"("codigo":{"segredo":"JBSWY3DPEHPK3PXP"},"notas":"","favorito":true})")),
                               TipoDeItem::senha);
    auto modelo = editor<ModeloDoEditorDeSenha>(TipoDeItem::senha, id);
    EXPECT_EQ(modelo->tituloDaFolha(), QStringLiteral("Editar senha"));
    EXPECT_EQ(modelo->site(), QStringLiteral("a.com"));
    EXPECT_FALSE(modelo->mostrar());
    modelo->definirSite(QString());
    Testes::executar(modelo->salvarAgora());
    EXPECT_EQ(json(cofre().itemAberto(id)->conteudo.json()),
              QStringLiteral(R"({"titulo":"Banco","usuario":"ana","senha":"x","sites":["c.com"],)"
                             R"("codigo":{"segredo":"JBSWY3DPEHPK3PXP"},"notas":"","favorito":true})"));
    EXPECT_EQ(avisoAtual(), QStringLiteral("Senha salva"));
}

TEST_F(Editores, NotaComTituloEmBrancoViraNota)
{
    auto modelo = editor<ModeloDoEditorDeNota>(TipoDeItem::nota);
    EXPECT_FALSE(modelo->podeSalvar());
    modelo->definirTitulo(QStringLiteral("  "));
    modelo->definirTextoDaNota(QStringLiteral("\n"));
    EXPECT_TRUE(modelo->podeSalvar()) << "quebras de linha não são aparadas";
    Testes::executar(modelo->salvarAgora());
    ASSERT_EQ(cofre().notas().size(), 1);
    EXPECT_EQ(json(cofre().notas().first().conteudo.json()),
              QStringLiteral(R"({"titulo":"Nota","texto":"\n","favorito":false})"));
    EXPECT_EQ(modelo->titulo(), QStringLiteral("  "));
    EXPECT_EQ(avisoAtual(), QStringLiteral("Nota guardada"));
}

TEST_F(Editores, ApagarSoItemExistenteEFalhaMantemFolha)
{
    const QString id = guardar(DadosDeNota(QStringLiteral("Wi-Fi"), QStringLiteral("senha"), false).json,
                               TipoDeItem::nota);
    auto modelo = editor<ModeloDoEditorDeNota>(TipoDeItem::nota, id);
    EXPECT_EQ(modelo->tituloParaApagar(), QStringLiteral("Wi-Fi"));
    servidor.falharProximas(1, Servidor::Falha::erro(500, QStringLiteral("interno"), QStringLiteral("Falhou.")),
                            QStringLiteral("DELETE"));
    Testes::executar(modelo->apagarAgora());
    EXPECT_EQ(modelo->erro(), QStringLiteral("Falhou."));
    EXPECT_TRUE(cofre().itemAberto(id));
    EXPECT_TRUE(estado->edicao());

    Testes::executar(modelo->apagarAgora());
    EXPECT_FALSE(cofre().itemAberto(id));
    EXPECT_EQ(avisoAtual(), QStringLiteral("Nota apagada"));
    EXPECT_FALSE(estado->edicao());

    auto outro = editor<ModeloDoEditorDeNota>(TipoDeItem::nota, id);
    EXPECT_FALSE(outro->existente()) << "um id que sumiu é um item novo";
    EXPECT_EQ(outro->tituloParaApagar(), QString());
}

// The "Site" field of a code with several sites is the field's own text until a save: clearing it
// shows an empty field (not the second site), typing rewrites only the first site.
TEST_F(Editores, SiteDoCodigoComTresSitesSoMudaOPrimeiroAoSalvar)
{
    using M = ModeloDoEditorDeCodigo;
    const QList<QString> tres = {QStringLiteral("a.com"), QStringLiteral("b.com"), QStringLiteral("c.com")};
    const struct {
        const char *nome;
        QStringList digitado; // the field's texts, one after another
        QList<QString> salvos;
    } casos[] = {
        {"apagado e redigitado", {QString(), QStringLiteral("n"), QStringLiteral("novo.com")},
         {QStringLiteral("novo.com"), QStringLiteral("b.com"), QStringLiteral("c.com")}},
        {"apagado", {QStringLiteral("a.co"), QString()}, {QStringLiteral("b.com"), QStringLiteral("c.com")}},
        {"só espaços", {QStringLiteral("  ")}, {QStringLiteral("b.com"), QStringLiteral("c.com")}},
        {"com espaços em volta", {QStringLiteral(" d.com ")},
         {QStringLiteral(" d.com "), QStringLiteral("b.com"), QStringLiteral("c.com")}},
        {"apagado e devolvido", {QString(), QStringLiteral("a.com")}, tres},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const QString id = guardar(objeto(QStringLiteral(R"({"emissor":"Banco","segredo":"JBSWY3DPEHPK3PXP",)"
                                                         R"("sites":["a.com","b.com","c.com"]})")),
                                   TipoDeItem::codigo);
        auto modelo = editor<M>(TipoDeItem::codigo, id);
        EXPECT_EQ(modelo->site(), QStringLiteral("a.com"));
        for (const QString &texto : caso.digitado) {
            modelo->definirSite(texto);
            EXPECT_EQ(modelo->site(), texto) << "o campo mostra o que foi digitado";
        }
        EXPECT_EQ(DadosDeCodigo(modelo->dados()).json.sites(), tres) << "nada muda antes de salvar";
        Testes::executar(modelo->salvarAgora());
        EXPECT_EQ(modelo->erro(), QString());
        EXPECT_EQ(cofre().itemAberto(id)->conteudo.json().sites(), caso.salvos);
    }
    EXPECT_EQ(M::sitesAoSalvar({}, QStringLiteral(" x ")), QList<QString>{QStringLiteral(" x ")});
    EXPECT_EQ(M::sitesAoSalvar({}, QStringLiteral(" \t")), QList<QString>{});
}

// Another device changed the item while the sheet was open and the store synced it: the save
// expects the revision the form was filled from, so the server refuses it and nothing is lost.
TEST_F(Editores, SalvarDepoisDeOutroAparelhoMudarMostraConflitoENaoSobrescreve)
{
    const std::optional<QByteArray> chave = Chaveiro::lerChaveDoCofre();
    ASSERT_TRUE(chave);
    const QString email = QStringLiteral("ana@exemplo.com");
    const struct {
        const char *nome;
        TipoDeItem tipo;
        ObjetoJSON antes;
        ObjetoJSON doOutro;
        std::function<void(ModeloDoEditor &)> editar;
    } casos[] = {
        {"código", TipoDeItem::codigo, objeto(QStringLiteral(R"({"emissor":"Banco","segredo":"JBSWY3DPEHPK3PXP"})")),
         objeto(QStringLiteral(R"({"emissor":"Banco do outro","segredo":"JBSWY3DPEHPK3PXP"})")),
         [](ModeloDoEditor &m) { static_cast<ModeloDoEditorDeCodigo &>(m).definirConta(QStringLiteral("ana")); }},
        {"senha", TipoDeItem::senha, objeto(QStringLiteral(R"({"titulo":"Banco","usuario":"ana","senha":"x"})")),
         objeto(QStringLiteral(R"({"titulo":"Banco","usuario":"ana","senha":"nova-do-outro"})")),
         [](ModeloDoEditor &m) { static_cast<ModeloDoEditorDeSenha &>(m).definirUsuario(QStringLiteral("bia")); }},
        {"nota", TipoDeItem::nota, objeto(QStringLiteral(R"({"titulo":"Wi-Fi","texto":"senha1"})")),
         objeto(QStringLiteral(R"({"titulo":"Wi-Fi","texto":"senha2"})")),
         [](ModeloDoEditor &m) { static_cast<ModeloDoEditorDeNota &>(m).definirTextoDaNota(QStringLiteral("x")); }},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const QString id = guardar(caso.antes, caso.tipo);
        std::unique_ptr<ModeloDoEditor> modelo;
        switch (caso.tipo) {
        case TipoDeItem::codigo:
            modelo = editor<ModeloDoEditorDeCodigo>(caso.tipo, id);
            break;
        case TipoDeItem::senha:
            modelo = editor<ModeloDoEditorDeSenha>(caso.tipo, id);
            break;
        case TipoDeItem::nota:
            modelo = editor<ModeloDoEditorDeNota>(caso.tipo, id);
            break;
        }
        servidor.estado().gravarItem(
            email, id, valorBruto(caso.tipo),
            Cripto::selarEnvelope(ValorJSON::objeto(caso.doOutro).escritoEmUTF8(), *chave, Cripto::rotuloDoItem(id)));
        Testes::executar(cofre().sincronizar());
        ASSERT_EQ(json(cofre().itemAberto(id)->conteudo.json()), json(caso.doOutro)) << "a sincronia trouxe a mudança";

        caso.editar(*modelo);
        Testes::executar(modelo->salvarAgora());
        EXPECT_EQ(modelo->erro(), QStringLiteral("Este item mudou em outro aparelho."));
        EXPECT_FALSE(modelo->salvando());
        EXPECT_TRUE(estado->edicao()) << "a folha fica aberta";
        EXPECT_EQ(json(cofre().itemAberto(id)->conteudo.json()), json(caso.doOutro));
        Testes::executar(cofre().sincronizar());
        EXPECT_EQ(json(cofre().itemAberto(id)->conteudo.json()), json(caso.doOutro)) << "o servidor guardou a outra";
    }
}
