// The palette, the type scale, the screens' clock and the reduce-motion switch, as QML sees them.
#include "kit/MovimentoReduzido.h"
#include "kit/RelogioDasTelas.h"
#include "kit/Tipo.h"
#include "support/quick/TesteQuick.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QSignalSpy>

namespace {

class Fundamentos : public TesteQuick {};

TEST_F(Fundamentos, AvisoDoQmlEAnotadoParaFalharOTeste)
{
    QObject *objeto = criar(importacoes + QStringLiteral("Item { width: semNome.width }"));
    ASSERT_TRUE(objeto);
    const QStringList avisos = tomarAvisos();
    ASSERT_FALSE(avisos.isEmpty());
    EXPECT_TRUE(avisos.join('\n').contains(QStringLiteral("semNome"))) << avisos.join('\n').toStdString();
}

TEST_F(Fundamentos, PaletaTemOsTrezeValoresNoQml)
{
    QObject *objeto = criar(importacoes + QStringLiteral(R"(
QtObject {
    property var cores: [Paleta.tinta, Paleta.azul, Paleta.azulClaro, Paleta.fundo, Paleta.superficie,
        Paleta.borda, Paleta.trilho, Paleta.texto, Paleta.textoSecundario, Paleta.textoApagado,
        Paleta.vermelho, Paleta.ambar, Paleta.verde]
})"));
    ASSERT_TRUE(objeto);
    const QVariantList cores = objeto->property("cores").toList();
    const QList<QColor> esperadas = {
        QColor(20, 25, 34),   QColor(59, 116, 255), QColor(234, 240, 255), QColor(243, 246, 253), QColor(255, 255, 255),
        QColor(230, 234, 241), QColor(230, 234, 241), QColor(20, 25, 34),  QColor(91, 100, 117), QColor(138, 147, 163),
        QColor(220, 38, 38),  QColor(201, 138, 22), QColor(30, 158, 90)};
    ASSERT_EQ(cores.size(), esperadas.size());
    for (int i = 0; i < cores.size(); ++i) {
        const QColor cor = cores[i].value<QColor>();
        EXPECT_EQ(cor, esperadas[i]) << i << " " << cor.name().toStdString();
        EXPECT_EQ(cor.alpha(), 255);
    }
}

TEST_F(Fundamentos, EscalaDeTipoComTamanhosPesosEInter)
{
    QObject *objeto = criar(importacoes + QStringLiteral(R"(
QtObject {
    property font titulo: Tipo.title2
    property font destaque: Tipo.headline
    property font legenda: Tipo.caption
    property font calloutForte: Tipo.fonte(Tipo.Callout, Font.DemiBold)
})"));
    ASSERT_TRUE(objeto);
    struct {
        const char *propriedade;
        int pixels;
        QFont::Weight peso;
    } casos[] = {{"titulo", 17, QFont::Normal}, {"destaque", 13, QFont::DemiBold}, {"legenda", 10, QFont::Normal},
                 {"calloutForte", 12, QFont::DemiBold}};
    for (const auto &caso : casos) {
        const QFont fonte = objeto->property(caso.propriedade).value<QFont>();
        EXPECT_EQ(fonte.pixelSize(), caso.pixels) << caso.propriedade;
        EXPECT_EQ(fonte.weight(), caso.peso) << caso.propriedade;
        EXPECT_EQ(QFontInfo(fonte).family(), QStringLiteral("Inter")) << caso.propriedade;
    }
    // Tracking opens small sizes and tightens large ones.
    EXPECT_GT(objeto->property("legenda").value<QFont>().letterSpacing(), 0);
    EXPECT_LT(objeto->property("titulo").value<QFont>().letterSpacing(), 0);
}

TEST_F(Fundamentos, DigitosDosCodigosTemTodosAMesmaLargura)
{
    QFont fonte(Tipo::familiaDosDigitos());
    fonte.setPixelSize(34);
    EXPECT_EQ(QFontInfo(fonte).family(), Tipo::familiaDosDigitos()) << "the face is installed";
    const QFontMetricsF medida(fonte);
    const double largura = medida.horizontalAdvance(QStringLiteral("0"));
    for (char digito = '1'; digito <= '9'; ++digito)
        EXPECT_DOUBLE_EQ(medida.horizontalAdvance(QString(QLatin1Char(digito))), largura) << digito;
    EXPECT_DOUBLE_EQ(medida.horizontalAdvance(QStringLiteral("111 111")), medida.horizontalAdvance(QStringLiteral("808 080")));
}

TEST_F(Fundamentos, RelogioAvancaComOTesteEAvisaSoQuandoMuda)
{
    QObject *objeto = criar(importacoes + QStringLiteral("QtObject { property var agora: Relogio.agora; "
                                                         "property real segundos: Relogio.segundos }"));
    ASSERT_TRUE(objeto);
    const qint64 inicio = objeto->property("segundos").toLongLong();
    EXPECT_EQ(inicio, QDateTime(QDate(2026, 3, 2), QTime(9, 41, 0), Qt::UTC).toSecsSinceEpoch());
    QSignalSpy mudou(&RelogioDasTelas::instancia(), &RelogioDasTelas::agoraMudou);
    avancar(2500);
    EXPECT_EQ(objeto->property("segundos").toLongLong(), inicio + 2);
    const int vezes = mudou.count();
    RelogioDasTelas::instancia().atualizar(); // same time: no change
    EXPECT_EQ(mudou.count(), vezes);
}

TEST_F(Fundamentos, RelogioDoSistemaBateACadaSegundo)
{
    RelogioDasTelas &relogio = RelogioDasTelas::instancia();
    relogio.usarRelogioDoSistema();
    QSignalSpy mudou(&relogio, &RelogioDasTelas::agoraMudou);
    ASSERT_TRUE(mudou.wait(3000)); // a real second is the point here
    const QDateTime agora = QDateTime::currentDateTimeUtc();
    EXPECT_LE(std::abs(relogio.agora().msecsTo(agora)), 1000);
    EXPECT_LT(relogio.agora().time().msec(), 500); // it ticks just after the whole second
}

TEST_F(Fundamentos, MovimentoReduzidoVemDoGnomeOuDoKde)
{
    struct {
        const char *gnome;
        std::optional<bool> esperado;
    } gnome[] = {{"false\n", true}, {"true\n", false}, {"", std::nullopt}, {"No such schema", std::nullopt}};
    for (const auto &caso : gnome)
        EXPECT_EQ(MovimentoReduzido::deGnome(QString::fromUtf8(caso.gnome)), caso.esperado) << caso.gnome;
    struct {
        const char *kde;
        std::optional<bool> esperado;
    } kde[] = {{"0", true}, {"0.0", true}, {"1", false}, {"0.5", false}, {"", std::nullopt}, {"x", std::nullopt},
               {"-1", std::nullopt}};
    for (const auto &caso : kde)
        EXPECT_EQ(MovimentoReduzido::deKde(QString::fromUtf8(caso.kde)), caso.esperado) << caso.kde;

    QObject *objeto = criar(importacoes + QStringLiteral("QtObject { property bool reduzir: MovimentoReduzido.ativo }"));
    ASSERT_TRUE(objeto);
    EXPECT_FALSE(objeto->property("reduzir").toBool());
    MovimentoReduzido::instancia().definir(true);
    EXPECT_TRUE(objeto->property("reduzir").toBool());
    MovimentoReduzido::instancia().definir(false);
}

} // namespace
