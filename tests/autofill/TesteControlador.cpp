#include "Fixture.h"

#include "autofill/CredentialProviderViewController.h"

using namespace Qt::StringLiterals;

namespace {

// Records what the controller tells the host.
struct Gravador final : ContextoDaExtensao {
    QStringList eventos;
    void completarComSenha(const QString &u, const QString &s) override { eventos.append(u"senha:"_s + u + u":"_s + s); }
    void completarComCodigo(const QString &c) override { eventos.append(u"codigo:"_s + c); }
    void cancelar(int codigo) override { eventos.append(u"cancelado:"_s + QString::number(codigo)); }
    void concluirConfiguracao() override { eventos.append(u"configuracaoConcluida"_s); }
};

} // namespace

class ControladorDoPreenchimento : public FixtureDoPreenchimento {
protected:
    std::unique_ptr<CredentialProviderViewController> novoControlador()
    {
        auto controlador = std::make_unique<CredentialProviderViewController>(gravador);
        controlador->carregarVista();
        controlador->modelo().definirRelogio(relogio);
        controlador->modelo().definirVerificacaoDoDono([this](QString) { return respostaDoDono(donoConfirma); });
        return controlador;
    }

    Gravador gravador;
};

TEST_F(ControladorDoPreenchimento, ListasAbremNoModoPedido)
{
    CopiaDeTeste::instalar({CopiaDeTeste::senha(u"s"_s, u"Exemplo"_s, u"ana"_s, u"pw"_s, {u"exemplo.com"_s}),
                            CopiaDeTeste::codigo(u"c"_s, u"Banco"_s, u"ana"_s)});
    auto senhas = novoControlador();
    senhas->prepararListaDeSenhas({{u"https://www.exemplo.com/x"_s, IdentificadorDeServico::Tipo::url}});
    EXPECT_EQ(senhas->modelo().modo(), ModoDoPreenchimento::senhas());
    EXPECT_EQ(senhas->modelo().fase(), ModeloDoPreenchimento::Fase::aberto);
    EXPECT_EQ(senhas->modelo().dominios(), QList<QString>{u"exemplo.com"_s});

    auto codigos = novoControlador();
    codigos->prepararListaDeCodigos(dominios({"banco.com"}));
    EXPECT_EQ(codigos->modelo().modo(), ModoDoPreenchimento::codigos());
    codigos->modelo().escolherPorId(u"c"_s);
    senhas->modelo().escolherPorId(u"s"_s);
    senhas->modelo().cancelar(); // after an answer, whatever comes later is the context's to drop
    EXPECT_EQ(gravador.eventos, (QStringList{u"codigo:"_s + codigoAgora(), u"senha:ana:pw"_s, u"cancelado:1"_s}));
}

TEST_F(ControladorDoPreenchimento, FornecerDiretoESemInteracao)
{
    CopiaDeTeste::instalar({CopiaDeTeste::senha(u"s"_s, u"Exemplo"_s, u"ana"_s, u"pw"_s, {u"exemplo.com"_s}),
                            CopiaDeTeste::codigo(u"c"_s, u"Banco"_s, u"ana"_s)});
    const IdentidadePedida senha{{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}, u"s"_s, u"ana"_s, false};
    const IdentidadePedida codigo{{u"banco.com"_s, IdentificadorDeServico::Tipo::dominio}, u"c"_s, {}, true};

    const qsizetype consultas = segredos->consultas().size();
    auto silencioso = novoControlador();
    silencioso->fornecerSemInteracao(senha);
    EXPECT_EQ(segredos->consultas().size(), consultas); // nothing read
    EXPECT_EQ(silencioso->modelo().fase(), ModeloDoPreenchimento::Fase::carregando);

    novoControlador()->prepararParaFornecer(senha);
    auto direto = novoControlador();
    direto->prepararParaFornecer(codigo);
    EXPECT_EQ(direto->modelo().modo(), ModoDoPreenchimento::direto(u"c"_s, true));
    auto semRegistro = novoControlador();
    semRegistro->prepararParaFornecer({{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}, {}, {}, false});
    EXPECT_EQ(semRegistro->modelo().fase(), ModeloDoPreenchimento::Fase::aberto);
    EXPECT_EQ(gravador.eventos, (QStringList{u"cancelado:100"_s, u"senha:ana:pw"_s, u"codigo:"_s + codigoAgora()}));
}

TEST_F(ControladorDoPreenchimento, ConfiguracaoCancelarEAtender)
{
    auto controlador = novoControlador();
    PedidoDoAnfitriao pedido;
    EXPECT_TRUE(controlador->atender(pedido));
    EXPECT_EQ(controlador->modelo().fase(), ModeloDoPreenchimento::Fase::configuracao);
    controlador->modelo().concluirConfiguracao();
    EXPECT_EQ(gravador.eventos, QStringList{u"configuracaoConcluida"_s});

    controlador->modelo().cancelar();
    EXPECT_EQ(gravador.eventos.last(), u"cancelado:1"_s);
    pedido.tipo = PedidoDoAnfitriao::Tipo::fornecerSemInteracao;
    EXPECT_FALSE(novoControlador()->atender(pedido));
    EXPECT_EQ(gravador.eventos.last(), u"cancelado:100"_s);
}
