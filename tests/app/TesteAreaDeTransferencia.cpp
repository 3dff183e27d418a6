// The concealed copy: the marker, the wipe 30 seconds later on a clock the test steps, no wipe
// after any other copy, and the primary selection never touched. Runs on the offscreen
// clipboard and again under Xvfb, where the selection exists.
#include "support/RelogioDeTeste.h"
#include "app/AreaDeTransferencia.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>


using namespace std::chrono_literals;

namespace {

class AreaDeTransferenciaTeste : public ::testing::Test {
protected:
    void SetUp() override { area()->clear(QClipboard::Clipboard); }
    static QClipboard *area() { return QGuiApplication::clipboard(); }
    static QString texto() { return area()->text(QClipboard::Clipboard); }
    static QByteArray marca()
    {
        const QMimeData *dados = area()->mimeData(QClipboard::Clipboard);
        return dados ? dados->data(QString::fromLatin1(AreaDeTransferencia::tipoDaMarca)) : QByteArray();
    }

    RelogioDeTeste relogio;
    AreaDeTransferencia transferencia{nullptr, relogio};
};

} // namespace

TEST_F(AreaDeTransferenciaTeste, CopiaLevaAMarcaESomeDepoisDe30Segundos)
{
    transferencia.copiarProtegido(QStringLiteral("482 913"));
    EXPECT_EQ(texto(), QStringLiteral("482 913"));
    EXPECT_EQ(marca(), QByteArrayLiteral("secret"));

    relogio.avancar(29s);
    EXPECT_EQ(texto(), QStringLiteral("482 913"));
    relogio.avancar(1s);
    EXPECT_TRUE(texto().isEmpty());
    EXPECT_TRUE(marca().isEmpty());
}

TEST_F(AreaDeTransferenciaTeste, OutraCopiaAdiaOApagamento)
{
    transferencia.copiarProtegido(QStringLiteral("primeira"));
    relogio.avancar(10s);
    transferencia.copiarProtegido(QStringLiteral("segunda"));
    relogio.avancar(20s); // the first countdown ends and finds the clipboard changed
    EXPECT_EQ(texto(), QStringLiteral("segunda"));
    relogio.avancar(10s);
    EXPECT_TRUE(texto().isEmpty());
}

TEST_F(AreaDeTransferenciaTeste, OQueOutroProgramaCopiouFica)
{
    const qint64 antes = transferencia.contagemDeMudancas();
    transferencia.copiarProtegido(QStringLiteral("segredo"));
    EXPECT_GT(transferencia.contagemDeMudancas(), antes);
    area()->setText(QStringLiteral("do outro"), QClipboard::Clipboard);
    relogio.avancar(30s);
    EXPECT_EQ(texto(), QStringLiteral("do outro"));
    EXPECT_TRUE(marca().isEmpty());
}

TEST_F(AreaDeTransferenciaTeste, TextoVazioTambemECopiadoEApagado)
{
    area()->setText(QStringLiteral("antes"), QClipboard::Clipboard);
    transferencia.copiarProtegido(QString());
    EXPECT_TRUE(texto().isEmpty());
    EXPECT_EQ(marca(), QByteArrayLiteral("secret"));
    relogio.avancar(30s);
    EXPECT_TRUE(marca().isEmpty());
}

TEST_F(AreaDeTransferenciaTeste, SelecaoPrimariaNuncaETocada)
{
    if (!area()->supportsSelection())
        GTEST_SKIP() << "this platform has no primary selection (the Xvfb run covers it)";
    area()->setText(QStringLiteral("selecionado antes"), QClipboard::Selection);
    transferencia.copiarProtegido(QStringLiteral("segredo"));
    EXPECT_EQ(area()->text(QClipboard::Selection), QStringLiteral("selecionado antes"));
    relogio.avancar(30s);
    EXPECT_EQ(area()->text(QClipboard::Selection), QStringLiteral("selecionado antes"));
    // A change of the selection is no change of the clipboard: the wipe still happens.
    transferencia.copiarProtegido(QStringLiteral("outro segredo"));
    area()->setText(QStringLiteral("nova seleção"), QClipboard::Selection);
    relogio.avancar(30s);
    EXPECT_TRUE(texto().isEmpty());
}
