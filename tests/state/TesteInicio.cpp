// Construction and the start routine: what a computer with nothing, with a signed-in account, or
// with a damaged or unreachable keychain starts into.
#include "AmbienteDoEstado.h"

#include <QFile>

namespace {

using Fase = EstadoDoApp::Fase;

const QString protegerApp = QString::fromLatin1(chaveDeProtegerApp);

} // namespace

using Inicio = TesteDoEstado;

TEST_F(Inicio, PrimeiroInicioApagaGuardaProtecaoDesligadaEFicaSemConta)
{
    EstadoDoApp &novo = novoEstado();
    EXPECT_EQ(novo.fase(), Fase::iniciando);
    Testes::executar(novo.comecar());

    EXPECT_EQ(novo.fase(), Fase::semConta);
    EXPECT_FALSE(novo.conta());
    EXPECT_EQ(novo.cofre(), nullptr);
    EXPECT_EQ(suite().logico(protegerApp), std::optional<bool>(false));
    EXPECT_FALSE(novo.preferencias()->protegerApp());
    EXPECT_EQ(segredos->quantidade(), 0);
    EXPECT_TRUE(esperarAte([this] { return identidades->remocoes > 0; }));
}

TEST_F(Inicio, ChaveDeOutroTamanhoOuCopiaIlegivelApagamTudo)
{
    struct Caso {
        const char *nome;
        qsizetype tamanhoDaChave;
        QByteArray copia; // empty: a valid copy
    };
    const Caso casos[] = {
        {"chave de 31 bytes", 31, {}},
        {"chave de 33 bytes", 33, {}},
        {"cópia que não é JSON", 32, "{isto não é json"},
        {"cópia sem conta", 32, R"({"versao":1,"revisao":0,"itens":[]})"},
    };
    const ContaSemeada semeada = semearConta();
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        deixarEntrado(semeada);
        Chaveiro::gravar(Cripto::bytesAleatorios(caso.tamanhoDaChave),
                         QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
        if (!caso.copia.isEmpty()) {
            QFile arquivo(CopiaDoCofre::arquivo());
            ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
            arquivo.write(caso.copia);
        }
        suite().definirLogico(protegerApp, true);

        EstadoDoApp &iniciado = estadoIniciado();
        EXPECT_EQ(iniciado.fase(), Fase::semConta);
        EXPECT_FALSE(iniciado.conta());
        EXPECT_FALSE(chaveNoChaveiro());
        EXPECT_FALSE(sessaoNoChaveiro());
        EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
        EXPECT_FALSE(iniciado.api()->temSessao());
        EXPECT_EQ(suite().logico(protegerApp), std::optional<bool>(false));
    }
}

TEST_F(Inicio, ChaveECopiaAbremOCofreESincronizam)
{
    const ContaSemeada semeada = semearConta();
    const Conta conta = deixarEntrado(semeada);
    suite().definirLogico(protegerApp, false);

    EstadoDoApp &iniciado = estadoIniciado();
    EXPECT_EQ(iniciado.fase(), Fase::aberto);
    ASSERT_TRUE(iniciado.conta());
    EXPECT_EQ(iniciado.conta()->id, conta.id);
    ASSERT_NE(iniciado.cofre(), nullptr);
    EXPECT_EQ(iniciado.cofre()->chave(), semeada.chave);
    EXPECT_FALSE(iniciado.precisaEntrarDeNovo());
    EXPECT_FALSE(iniciado.secoesLiberadas());
    EXPECT_EQ(iniciado.preferencias()->ultimoEmail(), semeada.email);

    esperarSincronia();
    EXPECT_TRUE(iniciado.podeSincronizar());
    EXPECT_EQ(pedidos("GET", "/v1/cofre").size(), 1);
    EXPECT_EQ(pedidos("GET", "/v1/conta").size(), 1);
    // Opening at start does not write the key again.
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
}

TEST_F(Inicio, ProtecaoLigadaComecaBloqueadaSoQuandoODonoPodeSerConferido)
{
    const ContaSemeada semeada = semearConta();
    for (const bool disponivel : {true, false}) {
        SCOPED_TRACE(disponivel ? "autenticação disponível" : "sem autenticação");
        deixarEntrado(semeada);
        suite().definirLogico(protegerApp, true);
        donoDisponivel = disponivel;

        EstadoDoApp &iniciado = estadoIniciado();
        EXPECT_EQ(iniciado.fase(), disponivel ? Fase::bloqueado : Fase::aberto);
        EXPECT_TRUE(iniciado.conta());
        EXPECT_EQ(iniciado.cofre() != nullptr, !disponivel);
        EXPECT_TRUE(iniciado.podeTentarDesbloquearSozinho());
        EXPECT_TRUE(motivos.isEmpty()) << "o início não pede o dono";
        if (!disponivel)
            esperarSincronia();
    }
}

TEST_F(Inicio, SemSessaoGuardadaAbreEPedeParaEntrarDeNovo)
{
    const ContaSemeada semeada = semearConta();
    deixarEntrado(semeada, /*comSessao=*/false);
    suite().definirLogico(protegerApp, false);

    EstadoDoApp &iniciado = estadoIniciado();
    EXPECT_EQ(iniciado.fase(), Fase::aberto);
    EXPECT_TRUE(iniciado.precisaEntrarDeNovo());
    EXPECT_FALSE(iniciado.podeSincronizar());
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave) << "nada foi apagado";
}

TEST_F(Inicio, ComecarDoZeroEmQualquerPosicaoApagaOQueHavia)
{
    const ContaSemeada semeada = semearConta();
    const QStringList comArgumento[] = {
        {QStringLiteral("-comecar-do-zero")},
        {QStringLiteral("CorvaneMacApp"), QStringLiteral("-NSDocumentRevisionsDebugMode"), QStringLiteral("YES"),
         QStringLiteral("-comecar-do-zero")},
    };
    for (const QStringList &argumentos : comArgumento) {
        SCOPED_TRACE(argumentos.join(QLatin1Char(' ')).toStdString());
        deixarEntrado(semeada);
        suite().definirLogico(protegerApp, true);
        suite().definirInteiro(QString::fromLatin1(chaveDoBloqueio), 300);

        EstadoDoApp &novo = novoEstado(argumentos);
        EXPECT_FALSE(chaveNoChaveiro());
        EXPECT_FALSE(sessaoNoChaveiro());
        EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
        EXPECT_FALSE(suite().contem(QString::fromLatin1(chaveDoBloqueio))) << "o domínio inteiro sai";
        EXPECT_EQ(suite().logico(protegerApp), std::optional<bool>(false));

        Testes::executar(novo.comecar());
        EXPECT_EQ(novo.fase(), Fase::semConta);
        EXPECT_FALSE(novo.api()->temSessao());
        EXPECT_EQ(suite().logico(protegerApp), std::optional<bool>(false));
    }
}

TEST_F(Inicio, OutroArgumentoParecidoNaoApagaNada)
{
    const ContaSemeada semeada = semearConta();
    deixarEntrado(semeada);
    novoEstado({QStringLiteral("-comecar-do-zero=1"), QStringLiteral("comecar-do-zero")});
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
    EXPECT_TRUE(sessaoNoChaveiro());
    EXPECT_TRUE(QFile::exists(CopiaDoCofre::arquivo()));
}

TEST_F(Inicio, DispositivoLevaONomeDoComputadorOuMac)
{
    const std::pair<QString, QString> casos[] = {
        {QStringLiteral("estacao-da-ana"), QStringLiteral("estacao-da-ana")},
        {QString(), QStringLiteral("Mac")},
    };
    for (const auto &[nome, esperado] : casos) {
        SCOPED_TRACE(esperado.toStdString());
        nomeDoComputador = nome;
        const EstadoDoApp &novo = novoEstado();
        EXPECT_EQ(novo.dispositivo().nome, esperado);
        EXPECT_EQ(novo.dispositivo().tipo, QStringLiteral("macos"));
    }
}

// An unreachable keyring says nothing about the key: the computer must not be wiped, so that a
// later start, with the keyring back, opens the vault as before.
TEST_F(Inicio, ChaveiroIndisponivelNaoApagaEOProximoInicioRecupera)
{
    const ContaSemeada semeada = semearConta();
    deixarEntrado(semeada);
    suite().definirLogico(protegerApp, true);
    segredos->tornarIndisponivel(true);

    EstadoDoApp &primeiro = estadoIniciado();
    EXPECT_EQ(primeiro.fase(), Fase::semConta);
    EXPECT_FALSE(primeiro.conta());
    EXPECT_EQ(suite().logico(protegerApp), std::optional<bool>(true)) << "a proteção continua ligada";
    EXPECT_TRUE(QFile::exists(CopiaDoCofre::arquivo()));
    EXPECT_EQ(identidades->remocoes, 0);

    segredos->tornarIndisponivel(false);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
    EXPECT_TRUE(sessaoNoChaveiro());

    donoDisponivel = false; // so the second start opens rather than locks
    EstadoDoApp &segundo = estadoIniciado();
    EXPECT_EQ(segundo.fase(), Fase::aberto);
    EXPECT_FALSE(segundo.precisaEntrarDeNovo());
    esperarSincronia();
}
