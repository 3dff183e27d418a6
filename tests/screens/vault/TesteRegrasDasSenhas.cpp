// The password and note sections' rules on their own: the mask, which site texts become links,
// the copy of a field and the opening of a site.
#include "screens/vault/RegrasDasSenhas.h"

#include "screens/comum/AreaDeTransferencia.h"
#include "servicos/CentralDeAvisos.h"
#include "support/RelogioDeTeste.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

TEST(RegrasDasSenhas, MascaraSoDependeDoTamanho)
{
    const struct {
        QString valor;
        int pontos;
    } casos[] = {
        {QString(), 8},
        {QStringLiteral("abc"), 8},
        {QStringLiteral("12345678"), 8},
        {QStringLiteral("abcdefghijkl"), 12},
        {QString(40, QLatin1Char('x')), 16},
        // Characters, not UTF-16 units: ten emoji are ten bullets.
        {QString::fromUtf8("🔑🔑🔑🔑🔑🔑🔑🔑🔑🔑"), 10},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.valor.toStdString());
        EXPECT_EQ(RegrasDasSenhas::mascara(caso.valor), QString(caso.pontos, QChar(0x2022)));
    }
    EXPECT_EQ(RegrasDasSenhas::mascara(QStringLiteral("aaaaaaaaa")), RegrasDasSenhas::mascara(QStringLiteral("zzzzzzzzz")));
}

TEST(RegrasDasSenhas, SoEnderecosDaWebViramLink)
{
    const struct {
        const char *texto;
        bool temLinha;
        const char *endereco; // empty: plain text
    } casos[] = {
        {"github.com", true, "https://github.com"},
        {"conta.banco.com.br/entrar", true, "https://conta.banco.com.br/entrar"},
        {"https://exemplo.com/a?b=1", true, "https://exemplo.com/a?b=1"},
        {"http://roteador.local", true, "http://roteador.local"},
        {"HTTPS://Exemplo.com", true, "https://exemplo.com"},
        // Anything the browser is not for stays plain text.
        {"file:///etc/passwd", true, ""},
        {"smb://servidor/pasta", true, ""},
        {"corvane://entrar", true, ""},
        {"ftp://arquivos.exemplo.com", true, ""},
        {"https://", true, ""},
        // No row at all.
        {"", false, ""},
        {"   ", false, ""},
        {"exemplo .com", false, ""},
        {"https://exemplo.com:porta", false, ""},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.texto);
        const auto site = RegrasDasSenhas::site(QString::fromUtf8(caso.texto));
        ASSERT_EQ(site.has_value(), caso.temLinha);
        if (!site)
            continue;
        EXPECT_EQ(site->texto, QString::fromUtf8(caso.texto));
        EXPECT_EQ(site->link(), *caso.endereco != '\0');
        EXPECT_EQ(site->endereco.toString(), QString::fromUtf8(caso.endereco));
    }
}

TEST(RegrasDasSenhas, SitesNaOrdemSemOsQueNaoFormamEndereco)
{
    const QVariantList linhas = RegrasDasSenhas::linhasDosSites(
        {QStringLiteral("b.com"), QStringLiteral("exemplo .com"), QStringLiteral("file:///tmp/x"), QStringLiteral("a.com")});
    ASSERT_EQ(linhas.size(), 3);
    const char *textos[] = {"b.com", "file:///tmp/x", "a.com"};
    const bool links[] = {true, false, true};
    for (int i = 0; i < 3; ++i) {
        const QVariantMap linha = linhas.at(i).toMap();
        EXPECT_EQ(linha.value(QStringLiteral("texto")).toString(), QString::fromLatin1(textos[i]));
        EXPECT_EQ(linha.value(QStringLiteral("link")).toBool(), links[i]);
    }
}

TEST(RegrasDasSenhas, AbreSoLinks)
{
    QList<QUrl> abertos;
    RegrasDasSenhas::usarAbridor([&abertos](const QUrl &url) { abertos.append(url); });
    EXPECT_TRUE(RegrasDasSenhas::abrirSite(QStringLiteral("github.com")));
    EXPECT_FALSE(RegrasDasSenhas::abrirSite(QStringLiteral("file:///etc/passwd")));
    EXPECT_FALSE(RegrasDasSenhas::abrirSite(QStringLiteral("outro-programa://abrir")));
    EXPECT_FALSE(RegrasDasSenhas::abrirSite(QStringLiteral("exemplo .com")));
    RegrasDasSenhas::usarAbridor({});
    EXPECT_EQ(abertos, QList<QUrl>{QUrl(QStringLiteral("https://github.com"))});
}

TEST(RegrasDasSenhas, CopiaSoComValor)
{
    RelogioDeTeste relogio;
    CentralDeAvisos avisos(nullptr, &relogio);
    QGuiApplication::clipboard()->setText(QStringLiteral("o que a pessoa copiou"));

    // An empty password: nothing copied, counted or announced.
    EXPECT_FALSE(RegrasDasSenhas::copiar(QString(), QStringLiteral("Senha copiada"), &avisos));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("o que a pessoa copiou"));
    EXPECT_EQ(avisos.contadorDeCopias(), 0);
    EXPECT_FALSE(avisos.atual());
    EXPECT_FALSE(RegrasDasSenhas::copiar(QStringLiteral("x"), QStringLiteral("Senha copiada"), nullptr));

    EXPECT_TRUE(RegrasDasSenhas::copiar(QStringLiteral("s3nh@"), QStringLiteral("Senha copiada"), &avisos));
    const QMimeData *dados = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(dados);
    EXPECT_EQ(dados->text(), QStringLiteral("s3nh@"));
    EXPECT_EQ(dados->data(QString::fromLatin1(AreaDeTransferencia::tipoDaMarca)), QByteArray("secret"));
    EXPECT_EQ(avisos.contadorDeCopias(), 1);
    ASSERT_TRUE(avisos.atual());
    EXPECT_EQ(avisos.atual()->texto, QStringLiteral("Senha copiada"));
    EXPECT_EQ(avisos.atual()->simbolo, QStringLiteral("checkmark.circle.fill"));
}

TEST(RegrasDasSenhas, TextosDoVazioNesteComputador)
{
    EXPECT_EQ(RegrasDasSenhas::textoSemSenhas(),
              QStringLiteral("Guarde as senhas dos seus sites. O Corvane preenche sozinho no navegador deste computador "
                             "e elas aparecem também no iPhone e no navegador."));
    EXPECT_EQ(RegrasDasSenhas::textoSemNotas(),
              QStringLiteral("Senhas de Wi-Fi, documentos e o que mais precisar de sigilo, cifrado antes de sair do "
                             "computador."));
}
