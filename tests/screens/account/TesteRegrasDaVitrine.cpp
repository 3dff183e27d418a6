// The showcase's rules without drawing: the sample cards' live codes, the stack's rotation and
// depths, the phrase sequence, the orbit, the blobs' drift and edge, and the background dots.
#include "screens/account/ExemplosDaVitrine.h"
#include "screens/account/RegrasDaVitrine.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include <cmath>
#include <numbers>

namespace {

QDateTime emSegundos(qint64 segundos)
{
    return QDateTime::fromSecsSinceEpoch(segundos, QTimeZone::utc());
}

// Seconds since 2001-01-01 00:00 UTC of a Unix time.
constexpr double desde2001(double unix) { return unix - 978'307'200; }

TEST(ExemplosDaVitrine, SaoTresCodigosComAsChavesNaOrdemGuardada)
{
    const QList<DadosDeCodigo> &exemplos = exemplosDaVitrine();
    ASSERT_EQ(exemplos.size(), 3);
    const QStringList chaves{"emissor", "conta", "segredo", "algoritmo", "digitos", "periodo", "favorito", "notas"};
    const QStringList emissores{"GitHub", "Google", "Nubank"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        QStringList lidas;
        for (const ParJSON &par : exemplos[i].json.pares)
            lidas << par.chave;
        EXPECT_EQ(lidas, chaves);
        EXPECT_EQ(exemplos[i].json.texto(QStringLiteral("emissor")), emissores[i]);
        EXPECT_EQ(exemplos[i].json.texto(QStringLiteral("segredo")).size(), 16);
        EXPECT_FALSE(exemplos[i].json.booleano(QStringLiteral("favorito")));
    }
    EXPECT_EQ(exemplos[2].json.texto(QStringLiteral("conta")), QStringLiteral("Conta e cartão"));
    EXPECT_EQ(&exemplos, &exemplosDaVitrine()) << "built once";
}

// Known answers from an independent RFC 6238 computation (HMAC-SHA-1, 6 digits, 30 s).
TEST(ExemplosDaVitrine, CodigosSaoOTotpDoSegredoNaHoraDoRelogio)
{
    struct Caso {
        qint64 t;
        const char *github;
        const char *google;
        const char *nubank;
        qint64 restantes;
    };
    const Caso casos[] = {
        {1772444460, "895 263", "027 558", "729 566", 30}, // the screen tests' start, a period boundary
        {1772444489, "895 263", "027 558", "729 566", 1},
        {1772444490, "683 379", "509 750", "829 201", 30},
        {1111111109, "118 555", "440 932", "233 552", 1},
        {2000000000, "459 099", "444 077", "528 478", 10},
        {0, "642 494", "873 974", "257 791", 30},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.t);
        const char *esperados[] = {caso.github, caso.google, caso.nubank};
        for (int i = 0; i < 3; ++i) {
            const LeituraDoCartao leitura = lerCartao(exemplosDaVitrine()[i], emSegundos(caso.t));
            EXPECT_EQ(leitura.codigo, QString::fromLatin1(esperados[i]));
            EXPECT_EQ(leitura.segundosRestantes, caso.restantes);
            EXPECT_EQ(leitura.periodo, 30);
        }
    }
}

TEST(ExemplosDaVitrine, LeituraDeConteudosMalFeitos)
{
    const auto dados = [](QList<ParJSON> pares) { return DadosDeCodigo(ObjetoJSON(std::move(pares))); };
    struct Caso {
        const char *nome;
        DadosDeCodigo dados;
        QString titulo;
        QString conta;
        bool temCodigo;
        qint64 periodo;
    };
    const Caso casos[] = {
        {"segredo que não é base32",
         dados({{"emissor", ValorJSON::texto("X")}, {"segredo", ValorJSON::texto("não é base32!")}}), "X", "", false,
         30},
        // A non-text secret reads as empty, which the base32 decoder refuses.
        {"segredo que não é texto", dados({{"emissor", ValorJSON::texto("X")}, {"segredo", ValorJSON::inteiro(7)}}),
         "X", "", false, 30},
        {"dígitos fora de 6 a 10",
         dados({{"segredo", ValorJSON::texto("QF7LWNZ4RT2KDHXB")}, {"digitos", ValorJSON::inteiro(5)},
                {"conta", ValorJSON::texto("c")}}),
         "c", "c", false, 30},
        {"conta que não é texto, período abaixo de 1",
         dados({{"emissor", ValorJSON::texto("GitHub")}, {"conta", ValorJSON::booleano(true)},
                {"segredo", ValorJSON::texto("QF7LWNZ4RT2KDHXB")}, {"periodo", ValorJSON::inteiro(0)}}),
         "GitHub", "", true, 1},
        {"sem nada", dados({}), "Sem nome", "", false, 30},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const LeituraDoCartao leitura = lerCartao(caso.dados, emSegundos(1772444460));
        EXPECT_EQ(leitura.titulo, caso.titulo);
        EXPECT_EQ(leitura.conta, caso.conta);
        EXPECT_EQ(leitura.periodo, caso.periodo);
        EXPECT_EQ(leitura.codigo.size(), caso.temCodigo ? 7 : 0) << leitura.codigo.toStdString();
    }
}

TEST(RegrasDaVitrine, PilhaGiraComOUltimoNaFrenteEVoltaEmTres)
{
    const QList<QList<int>> esperadas{{0, 1, 2}, {2, 0, 1}, {1, 2, 0}, {0, 1, 2}, {2, 0, 1}};
    QList<int> ordem{0, 1, 2};
    for (int n = 0; n < esperadas.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ordem, esperadas[n]);
        EXPECT_EQ(vitrine::ordemDepoisDe(n), esperadas[n]);
        ordem = vitrine::girar(ordem);
    }
    EXPECT_EQ(vitrine::girar({4, 5}), (QList<int>{4, 5})) << "only a three-card order rotates";
}

TEST(RegrasDaVitrine, ProfundidadeEAPrimeiraPosicaoOuZero)
{
    struct Caso {
        QList<int> ordem;
        int k;
        int esperada;
    };
    const Caso casos[] = {
        {{0, 1, 2}, 0, 0}, {{0, 1, 2}, 2, 2}, {{2, 0, 1}, 2, 0}, {{2, 0, 1}, 0, 1},
        {{2, 0, 1}, 1, 2}, {{1, 1, 0}, 1, 0}, {{0, 1}, 2, 0},    {{}, 1, 0},
    };
    for (const Caso &caso : casos)
        EXPECT_EQ(vitrine::profundidade(caso.ordem, caso.k), caso.esperada);
}

TEST(RegrasDaVitrine, FrasesEmSequenciaCircular)
{
    const int esperadas[] = {0, 1, 2, 3, 0, 1};
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(vitrine::fraseDepoisDe(n), esperadas[n]);
    EXPECT_EQ(RegrasDaVitrine::frases().size(), vitrine::quantasFrases);
    EXPECT_EQ(RegrasDaVitrine::frases().first(), QStringLiteral("Cifrado no seu aparelho"));
}

TEST(RegrasDaVitrine, TextosDaLinhaDaCifra)
{
    const QString senha = RegrasDaVitrine::senhaDeExemplo();
    EXPECT_EQ(senha.size(), 9);
    EXPECT_TRUE(senha.front().isUpper());
    for (int i = 5; i < 9; ++i)
        EXPECT_TRUE(senha[i].isDigit()) << i;
    const QString envelope = RegrasDaVitrine::envelopeDeExemplo();
    EXPECT_EQ(envelope.size(), 24);
    const QStringList partes = envelope.split('.');
    ASSERT_EQ(partes.size(), 3);
    EXPECT_EQ(partes[0], QStringLiteral("v1"));
    EXPECT_EQ(partes[1].size(), 12);
    EXPECT_EQ(partes[2].size(), 8);
    EXPECT_EQ(RegrasDaVitrine::legendaDaCifra(), QStringLiteral("Cifrado antes de sair do computador"));
}

TEST(RegrasDaVitrine, RaiosDaOrbita)
{
    struct Caso {
        double largura, rx, ry;
    };
    const Caso casos[] = {{400, 174, 100.92}, {600, 250, 145}, {552, 250, 145}, {551, 249.5, 144.71}, {1000, 250, 145}};
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.largura);
        EXPECT_NEAR(vitrine::raioXDaOrbita(caso.largura), caso.rx, 1e-9);
        EXPECT_NEAR(vitrine::raioYDaOrbita(caso.largura), caso.ry, 1e-9);
    }
}

TEST(RegrasDaVitrine, PosicoesNaOrbitaNoTempo)
{
    // With t = 0 the base angle is 0 and the bob of tile i is 5 sin(i).
    struct Caso {
        const char *nome;
        int i;
        double t;
        double x, y;
    };
    const double w = 600, h = 300;
    const double quarto = 22.5; // a quarter turn, in seconds
    const Caso casos[] = {
        {"Instagram na ponta direita", 0, 0, 300 + 250, 150},
        {"Mercado Pago na ponta esquerda", 5, 0, 300 - 250, 150 + 5 * std::sin(5.0)},
        {"Binance a 144 graus", 2, 0, 300 + 250 * std::cos(0.4 * std::numbers::pi),
         150 + 145 * std::sin(0.4 * std::numbers::pi) + 5 * std::sin(2.0)},
        {"um quarto de volta leva Instagram para baixo", 0, quarto, 300, 150 + 145 + 5 * std::sin(1.6 * quarto)},
        {"meia volta troca as pontas", 5, 45, 300 + 250, 150 + 5 * std::sin(1.6 * 45 + 5)},
        {"volta inteira em 90 s", 0, 90, 300 + 250, 150 + 5 * std::sin(1.6 * 90)},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const QPointF p = vitrine::posicaoNaOrbita(caso.i, caso.t, w, h);
        EXPECT_NEAR(p.x(), caso.x, 1e-9);
        EXPECT_NEAR(p.y(), caso.y, 1e-9);
    }
    EXPECT_NEAR(vitrine::anguloDaOrbita(desde2001(978'307'200 + 45)), std::numbers::pi, 1e-9);
    EXPECT_EQ(vitrine::servicosDaOrbita().size(), 10);
    EXPECT_EQ(vitrine::servicosDaOrbita()[5], QStringLiteral("Mercado Pago"));
}

TEST(RegrasDaVitrine, ManchasVagueiamEmVoltaDeSeusPontos)
{
    struct Caso {
        double t;
        QPointF m1, m2;
    };
    const double p = std::numbers::pi;
    const Caso casos[] = {
        {0, {-120, 70 - 160}, {80 + 140, 180}},
        {3.5 * p, {90 - 120, 70 * std::cos(3.5 * p / 9) - 160}, {80 * std::cos(3.5 * p / 8) + 140, 60 * std::sin(3.5 * p / 6) + 180}},
        {9 * p, {90 * std::sin(9 * p / 7) - 120, -70 - 160}, {80 * std::cos(9 * p / 8) + 140, 60 * std::sin(1.5 * p) + 180}},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.t);
        EXPECT_NEAR(vitrine::deslocamentoDaMancha1(caso.t).x(), caso.m1.x(), 1e-9);
        EXPECT_NEAR(vitrine::deslocamentoDaMancha1(caso.t).y(), caso.m1.y(), 1e-9);
        EXPECT_NEAR(vitrine::deslocamentoDaMancha2(caso.t).x(), caso.m2.x(), 1e-9);
        EXPECT_NEAR(vitrine::deslocamentoDaMancha2(caso.t).y(), caso.m2.y(), 1e-9);
    }
}

TEST(RegrasDaVitrine, BordaDaManchaEUmDiscoDesfocado)
{
    struct Caso {
        double distancia, esperada;
    };
    // A disc of 160 blurred by 35: solid inside, half at the edge, nothing far outside.
    const Caso casos[] = {{0, 1}, {50, 0.99916}, {160, 0.5}, {125, 0.8413}, {195, 0.1587}, {265, 0.0013}, {400, 0}};
    for (const Caso &caso : casos)
        EXPECT_NEAR(vitrine::opacidadeDaMancha(caso.distancia, 160, 35), caso.esperada, 1e-4) << caso.distancia;
    EXPECT_EQ(vitrine::opacidadeDaMancha(160, 160, 0), 1);
    EXPECT_EQ(vitrine::opacidadeDaMancha(161, 160, 0), 0);
}

TEST(RegrasDaVitrine, PontosDeFundo)
{
    struct Caso {
        double w, h;
        qsizetype quantos;
    };
    const Caso casos[] = {{600, 700, 27 * 32}, {600, 11, 0}, {11, 600, 0}, {12, 12, 1}, {33, 34, 2}, {34, 33, 2}};
    for (const Caso &caso : casos)
        EXPECT_EQ(vitrine::pontosDeFundo(caso.w, caso.h).size(), caso.quantos) << caso.w << "x" << caso.h;

    // On 600 × 700 the strongest dot is the one nearest (300, 315), at (297, 319); they fade to
    // nothing 350 points from there.
    const QList<vitrine::PontoDeFundo> pontos = vitrine::pontosDeFundo(600, 700);
    EXPECT_EQ(pontos.first().x, 11);
    EXPECT_EQ(pontos.first().y, 11);
    EXPECT_EQ(pontos[1].x, 33);
    double maior = 0;
    for (const vitrine::PontoDeFundo &p : pontos) {
        maior = std::max(maior, p.opacidade);
        const double d = std::hypot(p.x - 300, p.y - 315);
        EXPECT_NEAR(p.opacidade, std::max(0.0, 0.55 - 1.1 * d / 700), 1e-12);
        if (d >= 350) {
            EXPECT_EQ(p.opacidade, 0);
        }
    }
    EXPECT_NEAR(maior, 0.55 - 1.1 * 5.0 / 700, 1e-12);
    EXPECT_EQ(RegrasDaVitrine::pontosDeFundo(600, 700).size(), 3 * pontos.size());
}

} // namespace
