// Password sign-in against the development server: the two steps, the authenticator code, the
// refusals, the overlay, and the failed keychain write after a sign-in.
#include "AmbienteDoEstado.h"

#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
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
    EXPECT_EQ(motivos, QStringList{QStringLiteral("Usar o senha do computador para abrir o Corvane")});
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
    const QByteArray sal = Cripto::bytesAleatorios(16);
    const ChavesDaSenha chaves = Cripto::derivarChavesDaSenha(senha, sal, ParametrosKdf::padrao());
    Servidor::NovaConta dados;
    dados.email = QStringLiteral("bia@exemplo.com");
    dados.sal = Cripto::codificarBase64URL(sal);
    dados.prova = chaves.prova;
    dados.chaveDoCofreProtegida =
        Cripto::selarEnvelope(Cripto::bytesAleatorios(32), Cripto::bytesAleatorios(32), Cripto::rotuloDaChaveDoCofre);
    dados.chaveDoCofreRecuperacao = QStringLiteral("v1.bm9uY2U.cmVjdXBlcmFjYW8");
    dados.provaDeRecuperacao = QStringLiteral("p");
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
    Servidor::NovaConta dados;
    dados.email = QStringLiteral("cai@exemplo.com");
    dados.sal = QStringLiteral("isto não é base64url!");
    dados.prova = QStringLiteral("p");
    dados.chaveDoCofreProtegida = QStringLiteral("v1.a.b");
    dados.chaveDoCofreRecuperacao = QStringLiteral("v1.a.b");
    dados.provaDeRecuperacao = QStringLiteral("p");
    servidor.estado().criarConta(dados);

    EstadoDoApp &iniciado = estadoIniciado();
    Sobreposicoes sobreposicoes(iniciado);
    const auto erro = erroDe<ErroDeCripto>(iniciado.prepararEntrada(dados.email, QStringLiteral("x")));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->codigo, QStringLiteral("base64-invalido"));
    EXPECT_FALSE(iniciado.trabalhando());
    EXPECT_EQ(sobreposicoes.valores.size(), 2);
}

TEST_F(Entrada, OTemporizadorContinuaEnquantoArgon2Corre)
{
    EstadoDoApp &iniciado = estadoIniciado();
    int batidas = 0;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&batidas] { ++batidas; });
    relogio.start(5);
    QElapsedTimer duracao;
    duracao.start();
    (void)Testes::executar(iniciado.prepararEntrada(semeada.email, semeada.senha));
    const qint64 ms = duracao.elapsed();
    relogio.stop();
    // The stretch takes tens of milliseconds at the lowest accepted cost; a blocked main thread
    // would let at most one tick through.
    EXPECT_GE(batidas, std::max<qint64>(3, ms / 5 / 4)) << ms << " ms";
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
// computer could not keep it (the next start will ask for a sign-in).
TEST_F(Entrada, ChaveQueOChaveiroNaoGuardaAbreEAvisa)
{
    EstadoDoApp &iniciado = estadoIniciado();
    const EntradaPendente pendente = Testes::executar(iniciado.prepararEntrada(semeada.email, semeada.senha));
    donoDisponivel = false; // the protection offer then only posts its own toast
    segredos->fazerEscritasFalharem(CofreDeSegredos::statusInteracaoNegada);
    QStringList avisos;
    QObject::connect(iniciado.avisos(), &CentralDeAvisos::atualMudou, iniciado.avisos(), [&] {
        if (iniciado.avisos()->atual())
            avisos.append(iniciado.avisos()->atual()->texto);
    });

    Testes::executar(iniciado.concluirEntrada(pendente));
    EXPECT_EQ(iniciado.fase(), Fase::aberto);
    ASSERT_NE(iniciado.cofre(), nullptr);
    EXPECT_FALSE(chaveNoChaveiro());
    ASSERT_FALSE(avisos.isEmpty());
    EXPECT_EQ(avisos.first(), QStringLiteral("Não foi possível guardar a chave do cofre neste computador."));
    esperarSincronia();
}
