// The labelled field: plain and secure, placeholder, and a secret that never leaves it.
#include "Formulario.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QQuickItem>
#include <QTest>

namespace {

class CampoNoMac : public TesteQuick {
protected:
    QQuickItem *mostrarCampos()
    {
        return mostrar(importacoesDaConta + QStringLiteral(R"(
ColumnLayout {
    x: 36
    y: 20
    width: 348
    spacing: 16
    CampoNoMac { objectName: "vazio"; rotulo: "E-mail"; dica: "voce@exemplo.com" }
    CampoNoMac { objectName: "preenchido"; rotulo: "E-mail"; dica: "voce@exemplo.com"; texto: "ana@exemplo.com" }
    CampoNoMac { objectName: "seguro"; rotulo: "Senha"; dica: "Sua senha"; seguro: true }
})"),
                       QSize(420, 260), QStringLiteral("#ffffff"));
    }
    QQuickItem *entrada(const char *campo)
    {
        return achar(QString::fromLatin1(campo))->findChild<QQuickItem *>("entrada");
    }
};

TEST_F(CampoNoMac, RotuloDicaEDesenho)
{
    ASSERT_TRUE(mostrarCampos());
    auto *rotulo = achar(QStringLiteral("vazio"))->findChild<QQuickItem *>("rotuloDoCampo");
    EXPECT_EQ(rotulo->property("text").toString(), QStringLiteral("E-mail"));
    EXPECT_EQ(rotulo->property("font").value<QFont>().pixelSize(), 12);
    EXPECT_EQ(rotulo->property("font").value<QFont>().weight(), QFont::Medium);
    EXPECT_EQ(rotulo->property("color").value<QColor>(), QColor(91, 100, 117));
    auto *vazio = entrada("vazio");
    EXPECT_DOUBLE_EQ(vazio->height(), 38);
    EXPECT_DOUBLE_EQ(vazio->width(), 348);
    EXPECT_DOUBLE_EQ(vazio->mapToScene(QPointF()).y() - rotulo->mapToScene(QPointF(0, rotulo->height())).y(), 6);
    EXPECT_EQ(vazio->property("placeholderText").toString(), QStringLiteral("voce@exemplo.com"));
    EXPECT_EQ(vazio->property("leftPadding").toDouble(), 12);
    auto *fundo = vazio->findChild<QQuickItem *>("fundoDoCampo");
    EXPECT_EQ(fundo->property("radius").toDouble(), 10);
    EXPECT_EQ(fundo->property("color").value<QColor>(), QColor(243, 246, 253));
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(entrada("preenchido")));
    const QImage imagem = capturar(QStringLiteral("campos"));
    // The empty field shows its placeholder in the muted colour.
    bool dicaDesenhada = false;
    for (int x = 12; x < 120 && !dicaDesenhada; ++x) {
        for (int y = 10; y < 28; ++y)
            dicaDesenhada |= parecida(imagem.pixelColor(ponto(vazio, x, y)), QColor(138, 147, 163), 30);
    }
    EXPECT_TRUE(dicaDesenhada);
}

TEST_F(CampoNoMac, SeguroMascaraETrocarMantemOTexto)
{
    ASSERT_TRUE(mostrarCampos());
    auto *seguro = entrada("seguro");
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(seguro));
    digitar(QStringLiteral("s3nh@"));
    EXPECT_EQ(achar(QStringLiteral("seguro"))->property("texto").toString(), QStringLiteral("s3nh@"));
    EXPECT_EQ(seguro->property("displayText").toString(), QString(5, QChar(0x2022)));
    capturar(QStringLiteral("campo-seguro"));
    achar(QStringLiteral("seguro"))->setProperty("seguro", false);
    EXPECT_EQ(seguro->property("displayText").toString(), QStringLiteral("s3nh@"));
    EXPECT_EQ(achar(QStringLiteral("seguro"))->property("texto").toString(), QStringLiteral("s3nh@"));
    achar(QStringLiteral("seguro"))->setProperty("seguro", true);
    EXPECT_EQ(seguro->property("displayText").toString(), QString(5, QChar(0x2022)));
}

TEST_F(CampoNoMac, SegredoNuncaVaiParaASelecaoNemParaACopia)
{
    ASSERT_TRUE(mostrarCampos());
    QClipboard *area = QGuiApplication::clipboard();
    const QString segredo = QStringLiteral("segredo-forte-123");
    area->setText(QStringLiteral("antes"), QClipboard::Clipboard);
    if (area->supportsSelection())
        area->setText(QStringLiteral("antes"), QClipboard::Selection);

    auto *seguro = entrada("seguro");
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(seguro));
    digitar(segredo);
    EXPECT_FALSE(seguro->property("selectByMouse").toBool());
    EXPECT_FALSE(seguro->property("persistentSelection").toBool());

    // Mouse: drag across, double- and triple-click.
    QTest::mousePress(janela(), Qt::LeftButton, {}, ponto(seguro, 14, 19));
    QTest::mouseMove(janela(), ponto(seguro, 200, 19));
    QTest::mouseRelease(janela(), Qt::LeftButton, {}, ponto(seguro, 200, 19));
    QTest::mouseDClick(janela(), Qt::LeftButton, {}, ponto(seguro, 30, 19));
    EXPECT_TRUE(seguro->property("selectedText").toString().isEmpty());
    // Keyboard: select everything, copy and cut.
    QTest::keyClick(janela(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(janela(), Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_TRUE(seguro->property("selectedText").toString().isEmpty());
    QTest::keyClick(janela(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(janela(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(janela(), Qt::Key_X, Qt::ControlModifier);
    QMetaObject::invokeMethod(seguro, "selectAll");
    QMetaObject::invokeMethod(seguro, "copy");
    QCoreApplication::processEvents();

    EXPECT_EQ(achar(QStringLiteral("seguro"))->property("texto").toString(), segredo);
    EXPECT_FALSE(area->text(QClipboard::Clipboard).contains(QStringLiteral("segredo")));
    if (area->supportsSelection()) {
        EXPECT_FALSE(area->text(QClipboard::Selection).contains(QStringLiteral("segredo")));
    }

    // A plain field still selects with the mouse.
    auto *comum = entrada("preenchido");
    QTest::mouseDClick(janela(), Qt::LeftButton, {}, ponto(comum, 20, 19));
    EXPECT_FALSE(comum->property("selectedText").toString().isEmpty());
}

} // namespace
