#include "servicos/FilaDeIdentidades.h"
#include "servicos/IdentidadesDoPreenchimento.h"
#include "plataforma/ArquivoAtomico.h"
#include "plataforma/InfoDoPacote.h"
#include "support/DiretorioTemporario.h"
#include "support/Executar.h"
#include "support/Portao.h"

#include <gtest/gtest.h>

#include <atomic>

#include <QThread>

#include <mutex>

namespace {

using Lista = QList<IdentidadeDoPreenchimento>;

ItemAberto item(const QString &id, ConteudoDoItem conteudo)
{
    return ItemAberto{id, 1, "2025-01-01T00:00:00Z", "2025-01-01T00:00:00Z", std::move(conteudo)};
}

ItemAberto senha(const QString &id, const QString &titulo, const QString &usuario, const QList<QString> &sites)
{
    return item(id, DadosDeSenha::novo(titulo, usuario, "s3nh4", sites, "", false));
}

ItemAberto senhaComCodigo(const QString &id, const QString &titulo, const QString &usuario,
                          const QList<QString> &sites)
{
    DadosDeSenha dados = DadosDeSenha::novo(titulo, usuario, "s3nh4", sites, "", false);
    dados.json.definir("codigo", ValorJSON::objeto(ObjetoJSON({{"segredo", ValorJSON::texto("JBSWY3DPEHPK3PXP")}})));
    return item(id, dados);
}

ItemAberto codigo(const QString &id, const QString &emissor, const QString &conta, const QList<QString> &sites = {})
{
    DadosDeCodigo dados = DadosDeCodigo::novo(emissor, conta, "JBSWY3DPEHPK3PXP", AlgoritmoTotp::sha1, 6, 30);
    dados.definirSites(sites);
    return item(id, dados);
}

TEST(MontarIdentidades, SitesQueDaoOMesmoHostViramUmaSoIdentidade)
{
    const auto itens = {senha("s1", "Exemplo", "ana", {"https://WWW.Exemplo.com/entrar?x=1", "exemplo.com"})};
    EXPECT_EQ(montarIdentidades(itens, {}), (Lista{IdentidadeDeSenha{"exemplo.com", "ana", "s1"}}));
}

TEST(MontarIdentidades, UmaIdentidadePorDominioDeCadaSenha)
{
    const QList<ItemAberto> itens = {
        senha("s1", "Correio", "ana", {"mail.exemplo.com", "contas.exemplo.com", "Mail.Exemplo.com"}),
        senha("s2", "Loja", "", {"loja.com"}),
        senha("s3", "Sem sites", "bia", {}),
        item("n1", DadosDeNota("Nota", "loja.com", false)),
    };
    EXPECT_EQ(montarIdentidades(itens, {}), (Lista{
                                                 IdentidadeDeSenha{"mail.exemplo.com", "ana", "s1"},
                                                 IdentidadeDeSenha{"contas.exemplo.com", "ana", "s1"},
                                                 IdentidadeDeSenha{"loja.com", "", "s2"},
                                             }));
}

TEST(MontarIdentidades, UsuarioQueNaoEhTextoFicaVazio)
{
    DadosDeSenha dados = DadosDeSenha::novo("Loja", "", "x", {"loja.com"}, "", false);
    dados.json.definir("usuario", ValorJSON::numero(42));
    EXPECT_EQ(montarIdentidades({item("s1", dados)}, {}), (Lista{IdentidadeDeSenha{"loja.com", "", "s1"}}));
}

TEST(MontarIdentidades, SenhaComCodigoOfereceTambemOCodigoLogoDepois)
{
    const QList<ItemAberto> itens = {
        senhaComCodigo("s1", "Banco", "ana", {"banco.com", "app.banco.com"}),
        senhaComCodigo("s2", "Banco da Bia", "", {"banco.com"}),
    };
    EXPECT_EQ(montarIdentidades(itens, {}), (Lista{
                                                 IdentidadeDeSenha{"banco.com", "ana", "s1"},
                                                 IdentidadeDeCodigo{"banco.com", "ana", "s1"},
                                                 IdentidadeDeSenha{"app.banco.com", "ana", "s1"},
                                                 IdentidadeDeCodigo{"app.banco.com", "ana", "s1"},
                                                 IdentidadeDeSenha{"banco.com", "", "s2"},
                                                 IdentidadeDeCodigo{"banco.com", "Banco da Bia", "s2"},
                                             }));
}

TEST(MontarIdentidades, CodigoComSegredoVazioNaoContaComoCodigo)
{
    DadosDeSenha dados = DadosDeSenha::novo("Banco", "ana", "x", {"banco.com"}, "", false);
    dados.json.definir("codigo", ValorJSON::objeto(ObjetoJSON({{"segredo", ValorJSON::texto("")}})));
    EXPECT_EQ(montarIdentidades({item("s1", dados)}, {}), (Lista{IdentidadeDeSenha{"banco.com", "ana", "s1"}}));
}

TEST(MontarIdentidades, RotuloDoCodigoEhOTituloEAConta)
{
    const struct {
        const char *nome;
        ItemAberto item;
        QString rotulo;
    } casos[] = {
        {"emissor e conta", codigo("c1", "Exemplo", "pessoal", {"exemplo.com"}), "Exemplo \u00B7 pessoal"},
        {"conta vazia", codigo("c1", "Exemplo", "", {"exemplo.com"}), "Exemplo"},
        {"emissor vazio", codigo("c1", "", "pessoal", {"exemplo.com"}), "pessoal \u00B7 pessoal"},
        {"conta com espaços, guardada crua", codigo("c1", "Exemplo", " ana ", {"exemplo.com"}), "Exemplo \u00B7  ana "},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(montarIdentidades({caso.item}, {}), (Lista{IdentidadeDeCodigo{"exemplo.com", caso.rotulo, "c1"}}));
    }
}

TEST(MontarIdentidades, VinculosAcrescentamDominiosAoCodigoCerto)
{
    const QList<ItemAberto> itens = {
        codigo("c1", "Exemplo", "", {"exemplo.com"}),
        codigo("c2", "Sem sites", ""),
        codigo("c3", "Ninguém", ""),
    };
    const QList<VinculoDoPreenchimento> vinculos = {
        {"c2", "loja.com"},
        {"c1", "exemplo.com"}, // already one of its own domains
        {"c1", "contas.exemplo.com"},
        {"c2", "loja.com"},
        {"outro", "nada.com"},
        {"c1", ""},
    };
    EXPECT_EQ(montarIdentidades(itens, vinculos), (Lista{
                                                       IdentidadeDeCodigo{"exemplo.com", "Exemplo", "c1"},
                                                       IdentidadeDeCodigo{"contas.exemplo.com", "Exemplo", "c1"},
                                                       IdentidadeDeCodigo{"loja.com", "Sem sites", "c2"},
                                                   }));
}

TEST(MontarIdentidades, EmissorComCaraDeHostViraDominioDoCodigo)
{
    // The code's own domains come from the item model: an issuer that is a host counts, an
    // e-mail address as account does not, and a repeat with a scheme is dropped.
    EXPECT_EQ(montarIdentidades({codigo("c1", "github.com", "ana@exemplo.com", {"https://github.com"})}, {}),
              (Lista{IdentidadeDeCodigo{"github.com", "github.com \u00B7 ana@exemplo.com", "c1"}}));
}

// A store whose writes can be held, recording what reached it and on which thread.
class RepositorioSeguravel final : public RepositorioDeIdentidades {
public:
    bool ligadoAgora = true;
    bool falhar = false;

    void segurar() { portao_.fechar(); }
    void soltar() { portao_.abrir(); }
    // Blocks until `n` operations have started.
    void esperarInicios(int n) { portao_.esperarChegadas(n); }
    [[nodiscard]] QStringList registro() const
    {
        const std::lock_guard guarda(trava_);
        return registro_;
    }
    [[nodiscard]] Lista lista() const
    {
        const std::lock_guard guarda(trava_);
        return lista_;
    }
    [[nodiscard]] bool tudoForaDaLinhaPrincipal() const
    {
        const std::lock_guard guarda(trava_);
        return foraDaPrincipal_;
    }

    bool ligado() override { return ligadoAgora; }
    bool substituirTodas(const Lista &identidades) override
    {
        return operar(QStringLiteral("substituir:%1").arg(rotulo(identidades)), [&] {
            if (falhar)
                return false;
            lista_ = identidades;
            return true;
        });
    }
    bool adicionar(const IdentidadeDoPreenchimento &identidade) override
    {
        return operar(QStringLiteral("adicionar"), [&] {
            lista_.append(identidade);
            return true;
        });
    }
    bool removerTodas() override
    {
        return operar(QStringLiteral("remover"), [&] {
            lista_.clear();
            return true;
        });
    }

private:
    static QString rotulo(const Lista &identidades)
    {
        QStringList dominios;
        for (const auto &identidade : identidades)
            dominios.append(std::visit([](const auto &i) { return i.dominio; }, identidade));
        return dominios.join(',');
    }

    template <typename F>
    bool operar(const QString &nome, F &&fazer)
    {
        {
            const std::lock_guard guarda(trava_);
            if (QThread::currentThread() == principal_)
                foraDaPrincipal_ = false;
        }
        portao_.passar();
        const std::lock_guard guarda(trava_);
        registro_.append(nome);
        return fazer();
    }

    Testes::Portao portao_;
    mutable std::mutex trava_;
    bool foraDaPrincipal_ = true;
    QThread *principal_ = QThread::currentThread();
    QStringList registro_;
    Lista lista_;
};

Lista de(const QString &dominio)
{
    return {IdentidadeDeSenha{dominio, "ana", "s1"}};
}

struct Fila_ : ::testing::Test {
    std::shared_ptr<RepositorioSeguravel> repositorio = std::make_shared<RepositorioSeguravel>();
    FilaDeIdentidades fila{repositorio};

    void TearDown() override
    {
        repositorio->soltar();
        Testes::executar(fila.ociosa());
    }
};

TEST_F(Fila_, SubstituicoesNaoSeUltrapassamEAUltimaVence)
{
    repositorio->segurar();
    fila.substituir(de("um.com"));
    repositorio->esperarInicios(1);
    fila.substituir(de("dois.com"));
    fila.substituir(de("tres.com"));
    repositorio->soltar();
    Testes::executar(fila.ociosa());

    // The waiting "dois" was superseded by "tres"; nothing older ever lands last.
    EXPECT_EQ(repositorio->registro(), QStringList({"substituir:um.com", "substituir:tres.com"}));
    EXPECT_EQ(repositorio->lista(), de("tres.com"));
    EXPECT_TRUE(repositorio->tudoForaDaLinhaPrincipal());
}

TEST_F(Fila_, RemocaoCancelaAsPendentesERodaDepoisDaEmCurso)
{
    repositorio->segurar();
    fila.substituir(de("um.com"));
    repositorio->esperarInicios(1);
    fila.substituir(de("dois.com"));
    auto remocao = fila.remover();
    repositorio->soltar();
    Testes::executar(std::move(remocao));

    EXPECT_EQ(repositorio->registro(), QStringList({"substituir:um.com", "remover"}));
    EXPECT_TRUE(repositorio->lista().isEmpty());
    Testes::executar(fila.ociosa());
    EXPECT_EQ(repositorio->registro().size(), 2);
}

TEST_F(Fila_, SubstituicaoPedidaDepoisDaRemocaoRodaDepoisDela)
{
    repositorio->segurar();
    auto remocao = fila.remover();
    repositorio->esperarInicios(1);
    fila.substituir(de("nova-conta.com"));
    repositorio->soltar();
    Testes::executar(std::move(remocao));
    Testes::executar(fila.ociosa());

    EXPECT_EQ(repositorio->registro(), QStringList({"remover", "substituir:nova-conta.com"}));
    EXPECT_EQ(repositorio->lista(), de("nova-conta.com"));
}

TEST_F(Fila_, DuasRemocoesSeguidasTerminamAmbas)
{
    repositorio->segurar();
    fila.substituir(de("um.com"));
    repositorio->esperarInicios(1);
    auto primeira = fila.remover();
    auto segunda = fila.remover();
    repositorio->soltar();
    Testes::executar(std::move(primeira));
    Testes::executar(std::move(segunda));
    EXPECT_EQ(repositorio->registro(), QStringList({"substituir:um.com", "remover"}));
}

TEST_F(Fila_, FalhaDeUmaSubstituicaoNaoParaAFila)
{
    repositorio->falhar = true;
    repositorio->segurar();
    fila.substituir(de("um.com"));
    repositorio->esperarInicios(1);
    fila.substituir(de("dois.com"));
    repositorio->soltar();
    // The first fails while the second waits; the second still runs.
    Testes::executar(fila.ociosa());
    EXPECT_EQ(repositorio->registro(), QStringList({"substituir:um.com", "substituir:dois.com"}));
}

TEST_F(Fila_, DesligadoNadaEhSubstituidoMasRemoverFunciona)
{
    repositorio->ligadoAgora = false;
    fila.substituir(de("um.com"));
    Testes::executar(fila.ociosa());
    EXPECT_TRUE(repositorio->registro().isEmpty());
    Testes::executar(fila.remover());
    EXPECT_EQ(repositorio->registro(), QStringList({"remover"}));
}

// A list handed over to be built later is built on the worker, and only for a store that takes it.
TEST_F(Fila_, ListaMontadaSoParaOArmazemLigadoEForaDaLinhaPrincipal)
{
    std::atomic<int> montagens = 0;
    std::atomic<bool> naPrincipal = false;
    QThread *principal = QThread::currentThread();
    const auto montagem = [&] {
        ++montagens;
        naPrincipal = naPrincipal || QThread::currentThread() == principal;
        return de("um.com");
    };
    repositorio->ligadoAgora = false;
    fila.substituir(montagem);
    Testes::executar(fila.ociosa());
    EXPECT_EQ(montagens, 0) << "switched off: the list is not even built";
    EXPECT_TRUE(repositorio->registro().isEmpty());

    repositorio->ligadoAgora = true;
    const quint64 marca = fila.substituir(montagem);
    Testes::executar(fila.ociosa());
    EXPECT_EQ(montagens, 1);
    EXPECT_FALSE(naPrincipal);
    EXPECT_EQ(repositorio->registro(), QStringList({"substituir:um.com"}));
    EXPECT_TRUE(fila.emDia(marca));
}

TEST(SubstituirIdentidades, FalhaDoArmazenamentoChegaComoErro)
{
    auto repositorio = std::make_shared<RepositorioSeguravel>();
    repositorio->falhar = true;
    EXPECT_THROW(Testes::executar(substituirIdentidadesDoPreenchimento(de("um.com"), repositorio)), ErroDasIdentidades);
    repositorio->ligadoAgora = false;
    EXPECT_NO_THROW(Testes::executar(substituirIdentidadesDoPreenchimento(de("um.com"), repositorio)));
}

struct IdentidadesDoProcesso : ::testing::Test {
    DiretorioTemporario pasta;
    std::shared_ptr<RepositorioDeIdentidadesEmArquivo> repositorio =
        std::make_shared<RepositorioDeIdentidadesEmArquivo>(pasta.arquivo("identidades.json"));

    void SetUp() override
    {
        InfoDoPacote::substituir(QVariantMap{{"GrupoDoApp", "group.teste.corvane"}});
        RepositorioDeIdentidades::usar(repositorio);
        ASSERT_TRUE(repositorio->definirLigado(true));
    }
    void TearDown() override
    {
        Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
        RepositorioDeIdentidades::usar(nullptr);
        InfoDoPacote::substituir(std::nullopt);
    }
    void gravarVinculos(const QByteArray &json)
    {
        const auto caminho = VinculoDoPreenchimento::urlDoArquivo();
        ASSERT_TRUE(caminho.has_value());
        ASSERT_TRUE(ArquivoAtomico::gravar(*caminho, json));
    }
};

TEST_F(IdentidadesDoProcesso, ReconstruirLeOsVinculosEGravaNoArmazenamento)
{
    gravarVinculos(R"([{"id":"c1","dominio":"loja.com"}])");
    identidadesDoPreenchimento({senha("s1", "Loja", "ana", {"loja.com"}), codigo("c1", "Loja", "")});
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    EXPECT_EQ(repositorio->identidades(), (Lista{
                                              IdentidadeDeSenha{"loja.com", "ana", "s1"},
                                              IdentidadeDeCodigo{"loja.com", "Loja", "c1"},
                                          }));

    Testes::executar(removerIdentidadesDoPreenchimento());
    EXPECT_TRUE(repositorio->identidades().isEmpty());
}

TEST_F(IdentidadesDoProcesso, ArquivoDeVinculosInvalidoEhIgnoradoPorInteiro)
{
    gravarVinculos(R"([{"id":"c1","dominio":"loja.com"}, nada])");
    identidadesDoPreenchimento({senha("s1", "Loja", "ana", {"loja.com"}), codigo("c1", "Loja", "")});
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    EXPECT_EQ(repositorio->identidades(), (Lista{IdentidadeDeSenha{"loja.com", "ana", "s1"}}));
}

TEST_F(IdentidadesDoProcesso, ComOPreenchimentoDesligadoNadaEhEscrito)
{
    ASSERT_TRUE(repositorio->substituirTodas(de("antiga.com")));
    ASSERT_TRUE(repositorio->definirLigado(false));
    identidadesDoPreenchimento({senha("s1", "Loja", "ana", {"loja.com"})});
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    EXPECT_EQ(repositorio->identidades(), de("antiga.com"));
}

TEST_F(IdentidadesDoProcesso, SairLogoDepoisDeUmaReconstrucaoNaoDeixaIdentidades)
{
    // A rebuild asked for just before sign-out must not land after the removal.
    identidadesDoPreenchimento({senha("s1", "Loja", "ana", {"loja.com"})});
    identidadesDoPreenchimento({senha("s1", "Loja", "ana", {"loja.com", "loja.com.br"})});
    Testes::executar(removerIdentidadesDoPreenchimento());
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    EXPECT_TRUE(repositorio->identidades().isEmpty());
}

} // namespace
