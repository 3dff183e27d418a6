// QR reading of real images made with ZXing's writer, and the import of the texts read.
#include "ImportacaoDeLeituras.h"
#include "LeitorDaTela.h"
#include "QuadroDoEditor.h"
#include "support/DiretorioTemporario.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTransform>

#include <gtest/gtest.h>

namespace {

const QString linkA = QStringLiteral("otpauth://totp/GitHub:ana?secret=JBSWY3DPEHPK3PXP&issuer=GitHub");
const QString linkB = QStringLiteral("otpauth://totp/Google:ana%40exemplo.com?secret=GEZDGNBVGY3TQOJQ&issuer=Google");

// A desktop-like capture: a gradient, text, boxes and noise, with the QR code inside.
QImage capturaRuidosa(const QImage &qr)
{
    QImage tela(1280, 800, QImage::Format_RGB32);
    QPainter pintor(&tela);
    QLinearGradient degrade(0, 0, 1280, 800);
    degrade.setColorAt(0, QColor(40, 60, 90));
    degrade.setColorAt(1, QColor(200, 210, 230));
    pintor.fillRect(tela.rect(), degrade);
    pintor.fillRect(QRect(300, 120, 700, 560), Qt::white);
    pintor.setPen(Qt::black);
    for (int linha = 0; linha < 20; ++linha)
        pintor.drawText(320, 150 + linha * 24, QStringLiteral("Configure a verificação em duas etapas %1").arg(linha));
    pintor.drawImage(700, 300, qr.scaled(200, 200));
    pintor.end();
    QRandomGenerator gerador(7);
    for (int i = 0; i < 40000; ++i) {
        const int x = int(gerador.bounded(1280));
        const int y = int(gerador.bounded(800));
        const int v = int(gerador.bounded(256));
        tela.setPixel(x, y, qRgb(v, v, v));
    }
    return tela;
}

QImage girada(const QImage &imagem, double graus)
{
    QImage resultado = imagem.transformed(QTransform().rotate(graus), Qt::SmoothTransformation);
    QImage fundo(resultado.size(), QImage::Format_RGB32);
    fundo.fill(Qt::white);
    QPainter(&fundo).drawImage(0, 0, resultado);
    return fundo;
}

// Dark modules on a transparent ground, as a QR code is often saved from a web page.
QImage transparente(const QImage &qr)
{
    QImage resultado = qr.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < resultado.height(); ++y) {
        auto *linha = reinterpret_cast<QRgb *>(resultado.scanLine(y));
        for (int x = 0; x < resultado.width(); ++x)
            linha[x] = qGray(linha[x]) > 128 ? qRgba(0, 0, 0, 0) : qRgba(0, 0, 0, 255);
    }
    return resultado;
}

// Light modules on a dark ground, as a dark page shows it.
QImage invertida(QImage qr)
{
    qr.invertPixels();
    return qr;
}

QByteArray png(const QImage &imagem)
{
    QByteArray bytes;
    QBuffer saida(&bytes);
    saida.open(QIODevice::WriteOnly);
    imagem.save(&saida, "PNG");
    return bytes;
}

} // namespace

TEST(LeitorDeQR, ImagensGeradas)
{
    using Testes::imagemDeQR;
    const struct {
        const char *nome;
        QImage imagem;
        QList<QString> esperado;
    } casos[] = {
        {"um código", imagemDeQR(linkA), {linkA}},
        {"dois códigos", Testes::ladoALado({imagemDeQR(linkA), imagemDeQR(linkB)}), {linkA, linkB}},
        {"o mesmo código duas vezes", Testes::ladoALado({imagemDeQR(linkA), imagemDeQR(linkA)}), {linkA}},
        {"código de barras linear", Testes::imagemDeCodigoDeBarras(QStringLiteral("JBSWY3DPEHPK3PXP")), {}},
        {"girado 90 graus", girada(imagemDeQR(linkA), 90), {linkA}},
        {"girado 20 graus", girada(imagemDeQR(linkA, 360), 20), {linkA}},
        {"ampliado", imagemDeQR(linkB).scaled(900, 900), {linkB}},
        {"reduzido", imagemDeQR(linkB, 300).scaled(130, 130, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), {linkB}},
        {"captura com ruído", capturaRuidosa(imagemDeQR(linkA)), {linkA}},
        {"fundo transparente", transparente(imagemDeQR(linkA)), {linkA}},
        {"fundo transparente, num PNG", QImage::fromData(png(transparente(imagemDeQR(linkB)))), {linkB}},
        {"claro sobre escuro", invertida(imagemDeQR(linkA)), {linkA}},
        {"claro sobre escuro numa captura", invertida(capturaRuidosa(imagemDeQR(linkB))), {linkB}},
        {"imagem vazia", QImage(), {}},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        QList<QString> lidos = LeitorDaTelaNoMac::lerImagem(caso.imagem);
        if (caso.esperado.size() > 1)
            std::sort(lidos.begin(), lidos.end());
        QList<QString> esperado = caso.esperado;
        std::sort(esperado.begin(), esperado.end());
        EXPECT_EQ(lidos, esperado);
    }
}

TEST(LeitorDeQR, ArquivosEBytes)
{
    DiretorioTemporario pasta;
    const QString imagem = pasta.arquivo(QStringLiteral("qr.png"));
    ASSERT_TRUE(Testes::imagemDeQR(linkA).save(imagem));
    EXPECT_EQ(LeitorDaTelaNoMac::lerArquivo(imagem), QList<QString>{linkA});

    const QString texto = pasta.arquivo(QStringLiteral("nao-e-imagem.png"));
    QFile arquivo(texto);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("otpauth://totp/x?secret=JBSWY3DPEHPK3PXP");
    arquivo.close();
    EXPECT_TRUE(LeitorDaTelaNoMac::lerArquivo(texto).isEmpty());
    EXPECT_TRUE(LeitorDaTelaNoMac::lerArquivo(pasta.arquivo(QStringLiteral("falta.png"))).isEmpty());

    EXPECT_EQ(LeitorDaTelaNoMac::lerBytes(png(Testes::imagemDeQR(linkB))), QList<QString>{linkB});
    EXPECT_TRUE(LeitorDaTelaNoMac::lerBytes("não é imagem").isEmpty());
}

TEST(ImportacaoDeLeituras, TextosLidos)
{
    const QString migracao = Testes::linkDeMigracao({
        {QByteArray("12345678901234567890"), QStringLiteral("ana@exemplo.com"), QStringLiteral("Google")},
        {QByteArray("abcdefghij"), QStringLiteral("ana"), QStringLiteral("GitHub"), 2, 2},
        {QByteArray("contador"), QStringLiteral("hotp"), QStringLiteral("Banco"), 1, 1, 1},
        {QByteArray("md5md5"), QStringLiteral("antigo"), QStringLiteral("Velho"), 4},
    });
    const struct {
        const char *nome;
        QList<QString> textos;
        QList<QString> emissores; // of the codes, in order
        QList<QString> segredos;
    } casos[] = {
        {"link com espaços e quebra de linha", {QStringLiteral("  \n") + linkA + QStringLiteral(" \n")},
         {QStringLiteral("GitHub")}, {QStringLiteral("JBSWY3DPEHPK3PXP")}},
        {"esquema em maiúsculas", {QStringLiteral("OTPAUTH://totp/GitHub:ana?secret=JBSWY3DPEHPK3PXP&issuer=GitHub")},
         {QStringLiteral("GitHub")}, {QStringLiteral("JBSWY3DPEHPK3PXP")}},
        {"segredo solto em minúsculas", {QStringLiteral("jbsw y3dp-ehpk 3pxp==")}, {QString()},
         {QStringLiteral("JBSWY3DPEHPK3PXP")}},
        {"migração: só as contas por tempo, fora MD5", {migracao}, {QStringLiteral("Google"), QStringLiteral("GitHub")},
         {QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"), QStringLiteral("MFRGGZDFMZTWQ2LK")}},
        {"vários textos em ordem", {linkB, QStringLiteral("lixo 1 8"), linkA},
         {QStringLiteral("Google"), QStringLiteral("GitHub")},
         {QStringLiteral("GEZDGNBVGY3TQOJQ"), QStringLiteral("JBSWY3DPEHPK3PXP")}},
        {"dígitos fora do base32", {QStringLiteral("ABC1 890")}, {}, {}},
        {"texto em branco não é um código", {QStringLiteral("   "), QString(), QStringLiteral("\t\n")}, {}, {}},
        {"só separadores", {QStringLiteral("-- ==")}, {}, {}},
        {"outro esquema", {QStringLiteral("https://exemplo.com")}, {}, {}},
        {"migração quebrada", {QStringLiteral("otpauth-migration://offline?data=%%%")}, {}, {}},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const QList<CodigoImportado> codigos = codigosDasLeituras(caso.textos);
        QList<QString> emissores;
        QList<QString> segredos;
        for (const CodigoImportado &codigo : codigos) {
            emissores << codigo.emissor;
            segredos << codigo.segredo;
        }
        EXPECT_EQ(emissores, caso.emissores);
        EXPECT_EQ(segredos, caso.segredos);
    }
}

TEST(ImportacaoDeLeituras, LinkUtilizavel)
{
    EXPECT_FALSE(linkUtilizavel(QString()));
    EXPECT_FALSE(linkUtilizavel(QStringLiteral("   \t\n")));
    EXPECT_TRUE(linkUtilizavel(QStringLiteral(" x ")));
}
