// Password sign-in against the development server: the two steps, the authenticator code, the
// refusals, the overlay, and the failed keychain write after a sign-in.
#include "AmbienteDoEstado.h"

#include <QFile>
#include <QJsonArray>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>

namespace {

using Fase = EstadoDoApp::Fase;

QStringList chavesDe(const QJsonObject &objeto)
{
    QStringList chaves = objeto.keys();
    std::sort(chaves.begin(), chaves.end());
    return chaves;
}

// Every value `trabalhando` took, in order (absent as an empty title).
class Sobreposicoes {
public:
    explicit Sobreposicoes(const EstadoDoApp &estado)
    {
        QObject::connect(&estado, &EstadoDoApp::trabalhandoMudou, &contexto_, [this, &estado] {
            valores.append(estado.trabalhando() ? estado.trabalhando()->titulo + QStringLiteral(" / ") +
                                                      estado.trabalhando()->detalhe
                                                : QString());
        });
    }

    QStringList valores;

private:
    QObject contexto_;
};

} // namespace

class Entrada : public TesteDoEstado {
protected:
    void SetUp() override
    {
        TesteDoEstado::SetUp();
        semeada = semearConta();
    }

    ContaSemeada semeada;
};

TEST_F(Entrada, EntradaComSenhaAbreOCofreEOfereceProtecao)
{
    EstadoDoApp &iniciado = estadoIniciado();
    Sobreposicoes sobreposicoes(iniciado);
    servidor.limparPedidos();

    const EntradaPendente pendente =
        Testes::executar(iniciado.prepararEntrada(QStringLiteral("  Ana@Exemplo.COM \n"), semeada.senha));
    EXPECT_EQ(pendente.email, semeada.email);
    EXPECT_FALSE(pendente.tokenSocial);
    EXPECT_EQ(pendente.chaveDeEmbrulho.size(), 32);
    ASSERT_EQ(pedidos("POST", "/v1/conta/pre-entrada").size(), 1);
    EXPECT_EQ(pedidos("POST", "/v1/conta/pre-entrada").first().json(),
              QJsonObject({{QStringLiteral("email"), semeada.email}}));
    EXPECT_EQ(sobreposicoes.valores,
              QStringList({QStringLiteral("Abrindo o cofre / Protegendo sua senha neste computador."), QString()}));

    Testes::executar(iniciado.concluirEntrada(pendente));
    ASSERT_EQ(pedidos("POST", "/v1/sessao").size(), 1);
    const QJsonObject corpo = pedidos("POST", "/v1/sessao").first().json();
    EXPECT_EQ(chavesDe(corpo),
              QStringList({QStringLiteral("dispositivo"), QStringLiteral("email"), QStringLiteral("prova")}));
    EXPECT_EQ(corpo.value(QStringLiteral("dispositivo")).toObject(),
              QJsonObject({{QStringLiteral("nome"), QStringLiteral("estacao-da-ana")},
                           {QStringLiteral("tipo"), QStringLiteral("macos")}}));
    EXPECT_EQ(sobreposicoes.valores.size(), 2) << "o pedido da sessão não mostra a sobreposição";

    EXPECT_EQ(iniciado.fase(), Fase::aberto);
    EXPECT_TRUE(iniciado.secoesLiberadas());
    EXPECT_FALSE(iniciado.precisaEntrarDeNovo());
    ASSERT_NE(iniciado.cofre(), nullptr);
    EXPECT_EQ(iniciado.cofre()->chave(), semeada.chave);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
    EXPECT_TRUE(sessaoNoChaveiro());
    EXPECT_EQ(iniciado.preferencias()->ultimoEmail(), semeada.email);

    // The protection offer runs in a task of its own, once.
    EXPECT_TRUE(esperarAte([this] { return !motivos.isEmpty(); }));
    EXPECT_EQ(motivos, QStringList{QStringLiteral("Usar a senha do computador para abrir o Corvane")});
    EXPECT_TRUE(iniciado.preferencias()->protegerApp());
    esperarSincronia();
}

TEST_F(Entrada, CodigoDoAutenticadorSemDerivarDeNovo)
{
    servidor.estado().ligarAutenticador(semeada.email);
    EstadoDoApp &iniciado = estadoIniciado();
    const EntradaPendente pendente = Testes::executar(iniciado.prepararEntrada(semeada.email, semeada.senha));

    const auto semCodigo = erroDe<ErroDeEntrada>(iniciado.concluirEntrada(pendente));
    ASSERT_TRUE(semCodigo);
    EXPECT_EQ(semCodigo->caso(), ErroDeEntrada::Caso::autenticadorNecessario);
    EXPECT_EQ(semCodigo->errorDescription(), QStringLiteral("Digite o código de seis números do seu autenticador."));
    EXPECT_EQ(iniciado.fase(), Fase::semConta);
    EXPECT_FALSE(iniciado.api()->temSessao());

    // A wrong code is the server's refusal, not the local request for a code.
    const auto codigoErrado = erroDe<ErroDaAPI>(iniciado.concluirEntrada(pendente, QStringLiteral("000000")));
    ASSERT_TRUE(codigoErrado);
    EXPECT_EQ(codigoErrado->codigo, QStringLiteral("autenticador-necessario"));

    Testes::executar(iniciado.concluirEntrada(pendente, servidor.estado().codigoDoAutenticador(semeada.email)));
    EXPECT_EQ(iniciado.fase(), Fase::aberto);
    EXPECT_EQ(pedidos("POST", "/v1/conta/pre-entrada").size(), 1) << "argon2id correu uma vez só";
    const QJsonObject ultimo = pedidos("POST", "/v1/sessao").last().json();
    EXPECT_TRUE(ultimo.contains(QStringLiteral("codigoDoAutenticador")));
    esperarSincronia();
}

TEST_F(Entrada, SenhaErradaEhARecusaDoServidorENadaMuda)
{
    EstadoDoApp &iniciado = estadoIniciado();
    const EntradaPendente pendente =
        Testes::executar(iniciado.prepararEntrada(semeada.email, QStringLiteral("senha errada")));
    const auto erro = erroDe<ErroDaAPI>(iniciado.concluirEntrada(pendente));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->codigo, QStringLiteral("credenciais-invalidas"));
    EXPECT_EQ(erro->errorDescription(), QStringLiteral("E-mail ou senha incorretos."));
    EXPECT_EQ(iniciado.fase(), Fase::semConta);
    EXPECT_FALSE(iniciado.conta());
    EXPECT_FALSE(sessaoNoChaveiro());
    EXPECT_FALSE(chaveNoChaveiro());

    const auto desconhecido =
        erroDe<ErroDaAPI>(iniciado.prepararEntrada(QStringLiteral("ninguem@exemplo.com"), semeada.senha));
    ASSERT_TRUE(desconhecido);
    EXPECT_FALSE(iniciado.trabalhando()) << "a pré-entrada falhou antes da sobreposição";
}

TEST_F(Entrada, ChaveDoCofreQueNaoAbreEhSenhaIncorretaESemSessao)
{
    // The server holds a proof for this password, but a vault key sealed under another one.
    const QString senha = QStringLiteral("minha senha");
    Servidor::NovaConta dados = Testes::novaContaComChaves(QStringLiteral("bia@exemplo.com"), senha).dados;
    dados.chaveDoCofreProtegida =
        Cripto::selarEnvelope(Cripto::bytesAleatorios(32), Cripto::bytesAleatorios(32), Cripto::rotuloDaChaveDoCofre);
    servidor.estado().criarConta(dados);

    EstadoDoApp &iniciado = estadoIniciado();
    const EntradaPendente pendente = Testes::executar(iniciado.prepararEntrada(dados.email, senha));
    const auto erro = erroDe<ErroDeEntrada>(iniciado.concluirEntrada(pendente));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->caso(), ErroDeEntrada::Caso::senhaIncorreta);
    EXPECT_EQ(erro->errorDescription(), QStringLiteral("Senha incorreta."));
    EXPECT_FALSE(iniciado.api()->temSessao());
    EXPECT_FALSE(sessaoNoChaveiro());
    EXPECT_EQ(iniciado.fase(), Fase::semConta);
}

TEST_F(Entrada, DerivacaoQueFalhaLimpaASobreposicao)
{
    Servidor::NovaConta dados = Testes::novaConta(QStringLiteral("cai@exemplo.com"));
    dados.sal = QStringLiteral("isto não é base64url!");
    servidor.estado().criarConta(dados);

    EstadoDoApp &iniciado = estadoIniciado();
    Sobreposicoes sobreposicoes(iniciado);
    const auto erro = erroDe<ErroDeCripto>(iniciado.prepararEntrada(dados.email, QStringLiteral("x")));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->codigo, QStringLiteral("base64-invalido"));
    EXPECT_FALSE(iniciado.trabalhando());
    EXPECT_EQ(sobreposicoes.valores.size(), 2);
}

TEST_F(Entrada, OLacoDeEventosSegueEnquantoArgon2Corre)
{
    EstadoDoApp &iniciado = estadoIniciado();
    // The stretch runs on the global pool. With its one worker held, the stretch can finish only
    // after a timer of the main thread, seeing the overlay up, lets the worker go: the event loop
    // ran while the stretch was pending. A stretch on the main thread would end without that.
    QThreadPool *const pool = QThreadPool::globalInstance();
    const int trabalhadores = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QSemaphore soltar;
    pool->start([&soltar] { soltar.acquire(); });
    bool soltou = false;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (!soltou && iniciado.trabalhando()) {
            soltou = true;
            soltar.release();
        }
    });
    vigia.start(1);
    EXPECT_NO_THROW((void)Testes::executar(iniciado.prepararEntrada(semeada.email, semeada.senha)));
    vigia.stop();
    if (!soltou)
        soltar.release();
    pool->waitForDone();
    pool->setMaxThreadCount(trabalhadores);
    EXPECT_TRUE(soltou);
}

TEST_F(Entrada, EntrarDeNovoComOutraChaveTrocaOCofre)
{
    // This computer holds another key for the account (the vault was re-keyed elsewhere).
    const ContaSemeada antiga{semeada.email, semeada.senha, Cripto::bytesAleatorios(32)};
    EstadoDoApp &aberto = estadoAberto(antiga);
    const QPointer<Cofre> cofre(aberto.cofre());
    QSignalSpy fases(&aberto, &EstadoDoApp::faseMudou);

    const EntradaPendente pendente = Testes::executar(aberto.prepararEntrada(semeada.email, semeada.senha));
    Testes::executar(aberto.entrarDeNovo(pendente));
    ASSERT_NE(aberto.cofre(), nullptr);
    EXPECT_NE(aberto.cofre(), cofre.data());
    EXPECT_EQ(aberto.cofre()->chave(), semeada.chave);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
    EXPECT_EQ(aberto.fase(), Fase::aberto);
    EXPECT_EQ(fases.count(), 0);
    EXPECT_FALSE(aberto.secoesLiberadas());
    QCoreApplication::processEvents();
    EXPECT_TRUE(motivos.isEmpty()) << "entrar de novo não oferece proteção";
    esperarSincronia();
}

// The vault opens even when the keychain refuses the key, and the user is told that this
// computer could not keep it (the next start will ask for a sign-in). The protection offer that
// follows shows its own toast first; the warning comes back once that one has cleared.
TEST_F(Entrada, ChaveQueOChaveiroNaoGuardaAbreEAvisaDepoisDaOferta)
{
    const QString avisoDaChave = QStringLiteral("Não foi possível guardar a chave do cofre neste computador.");
    const struct {
        const char *nome;
        bool disponivel;
        bool confirma;
        QString avisoDaOferta;
    } casos[] = {
        {"sem autenticação", false, false,
         QStringLiteral("Este computador não tem senha de acesso. O Corvane vai abrir sem bloqueio.")},
        {"aceita", true, true, QStringLiteral("O Corvane vai abrir com senha do computador")},
        {"recusa", true, false, QStringLiteral("Você pode ligar a senha do computador em Ajustes.")},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        segredos->fazerEscritasFalharem(std::nullopt);
        EstadoDoApp &iniciado = estadoIniciado();
        const EntradaPendente pendente = Testes::executar(iniciado.prepararEntrada(semeada.email, semeada.senha));
        donoDisponivel = caso.disponivel;
        donoConfirma = caso.confirma;
        segredos->fazerEscritasFalharem(CofreDeSegredos::statusInteracaoNegada);
        QStringList avisos;
        QObject::connect(iniciado.avisos(), &CentralDeAvisos::atualMudou, iniciado.avisos(), [&] {
            if (iniciado.avisos()->atual())
                avisos.append(iniciado.avisos()->atual()->texto);
        });
        const auto naTela = [&iniciado] {
            const auto &atual = iniciado.avisos()->atual();
            return atual ? atual->texto : QString();
        };

        Testes::executar(iniciado.concluirEntrada(pendente));
        EXPECT_EQ(iniciado.fase(), Fase::aberto);
        ASSERT_NE(iniciado.cofre(), nullptr);
        EXPECT_FALSE(chaveNoChaveiro());
        EXPECT_EQ(naTela(), avisoDaChave);
        ASSERT_TRUE(esperarAte([&] { return avisos.size() == 2; })) << "a oferta de proteção não avisou";
        EXPECT_EQ(naTela(), caso.avisoDaOferta);

        relogio.avancar(CentralDeAvisos::duracao);
        EXPECT_EQ(naTela(), avisoDaChave);
        relogio.avancar(CentralDeAvisos::duracao);
        EXPECT_EQ(naTela(), QString());
        EXPECT_EQ(avisos, (QStringList{avisoDaChave, caso.avisoDaOferta, avisoDaChave}));
        esperarSincronia();
    }
}
