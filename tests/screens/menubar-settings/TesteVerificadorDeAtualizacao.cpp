// The update check against the development server's site, the version comparison and the
// download page's address rule.
#include "plataforma/InfoDoPacote.h"
#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/Executar.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using Servidor::Falha;

TEST(VersaoMaisNova, Tabela)
{
    struct Caso {
        const char *publicada;
        const char *instalada;
        bool maisNova;
    };
    const Caso casos[] = {
        {"1.10", "1.9", true},     {"1.9", "1.10", false},   {"1.2", "1.2.0", false}, {"1.2.0", "1.2", false},
        {"2", "1.9.9", true},      {"1.0.1", "0", true},      {"0.0.0", "0", false},   {"1..2", "1.2", false},
        {".1.2.", "1.2", false},   {"1.2.1", "1..2", true},   {"2b", "1", false},      {"2b", "0", false},
        {" 2", "1", false},        {"+2", "1", true},         {"-1", "0", false},      {"abc", "0.0.1", false},
        {"", "", false},           {"", "0", false},          {"1.0", "", true},       {"99999999999999999999", "1", false},
        {"1.4.2", "1.4.10", false}, {"10", "9.99", true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(std::string(caso.publicada) + " vs " + caso.instalada);
        EXPECT_EQ(versaoMaisNova(QString::fromLatin1(caso.publicada), QString::fromLatin1(caso.instalada)), caso.maisNova);
    }
}

TEST(VersaoPublicada, LeituraDoManifesto)
{
    struct Caso {
        const char *corpo;
        bool legivel;
    };
    const Caso casos[] = {
        {R"({"versao":"1.2","url":"https://x/"})", true},
        {R"({"versao":"1.2","url":"https://x/","novidades":"n","outra":1})", true},
        {R"({"versao":"1.2","url":"https://x/","novidades":null})", true},
        {R"({"url":"https://x/"})", false},
        {R"({"versao":"1.2"})", false},
        {R"({"versao":1.2,"url":"https://x/"})", false},
        {R"({"versao":"1.2","url":"https://x/","novidades":3})", false},
        {R"(["1.2"])", false},
        {"<html>", false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.corpo);
        EXPECT_EQ(VersaoPublicada::ler(caso.corpo).has_value(), caso.legivel);
    }
    EXPECT_EQ(VersaoPublicada::ler(R"({"versao":"1.2","url":"u","novidades":"n"})")->novidades, QStringLiteral("n"));
}

TEST(VersaoInstalada, DoPacoteOuZero)
{
    QVariantMap info = InfoDoPacote::dicionario();
    info.insert(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("3.1"));
    InfoDoPacote::substituir(info);
    EXPECT_EQ(versaoInstalada(), QStringLiteral("3.1"));
    info.insert(QStringLiteral("CFBundleShortVersionString"), 3);
    InfoDoPacote::substituir(info);
    EXPECT_EQ(versaoInstalada(), QStringLiteral("0"));
    info.remove(QStringLiteral("CFBundleShortVersionString"));
    InfoDoPacote::substituir(info);
    EXPECT_EQ(versaoInstalada(), QStringLiteral("0"));
    InfoDoPacote::substituir(std::nullopt);
}

TEST(EnderecoDeDownload, SoHttpsOuHttpNesteComputador)
{
    struct Caso {
        const char *url;
        bool aceito;
    };
    const Caso casos[] = {
        {"https://corvane.app/baixar", true},   {"http://127.0.0.1:8787/downloads/", true},
        {"http://localhost/x", true},           {"http://[::1]:9/x", true},
        {"http://corvane.app/baixar", false},   {"http://10.0.0.1/x", false},
        {"file:///etc/passwd", false},          {"javascript:alert(1)", false},
        {"smb://servidor/pasta", false},        {"corvane://social", false},
        {"https:///sem-host", false},           {"", false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.url);
        EXPECT_EQ(enderecoDeDownloadAceito(QUrl(QString::fromLatin1(caso.url), QUrl::StrictMode)), caso.aceito);
    }
}

class VerificadorNoServidor : public ::testing::Test {
protected:
    void SetUp() override
    {
        servidor.iniciar();
        QVariantMap info = InfoDoPacote::dicionario();
        info.insert(QStringLiteral("URLDoSite"), servidor.endereco().toString());
        info.insert(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.4"));
        InfoDoPacote::substituir(info);
        verificador.definirAbridor([this](const QUrl &url) { abertos.append(url); });
    }
    void TearDown() override { InfoDoPacote::substituir(std::nullopt); }

    void publicar(const char *versao) { servidor.site().definirVersaoPublicada(QString::fromLatin1(versao)); }
    void procurar() { Testes::executar(verificador.procurar()); }
    qsizetype pedidosDoManifesto() const
    {
        return servidor.pedidos(QStringLiteral("GET"), QStringLiteral("/downloads/mac.json")).size();
    }

    Servidor::ServidorDeDesenvolvimento servidor;
    VerificadorDeAtualizacao verificador;
    QList<QUrl> abertos;
};

TEST_F(VerificadorNoServidor, VersaoNovaAparecePorUmaVersaoIgualOuMaisVelhaSome)
{
    QSignalSpy conferindo(&verificador, &VerificadorDeAtualizacao::conferindoMudou);
    publicar("1.5");
    procurar();
    ASSERT_TRUE(verificador.disponivel());
    EXPECT_EQ(verificador.disponivel()->versao, QStringLiteral("1.5"));
    EXPECT_EQ(verificador.textoDaFaixa(), QStringLiteral("A versão 1.5 do Corvane está disponível."));
    EXPECT_TRUE(verificador.conferidoAgora());
    EXPECT_FALSE(verificador.conferindo());
    EXPECT_EQ(conferindo.count(), 2);

    verificador.abrirDownload();
    ASSERT_EQ(abertos.size(), 1);
    EXPECT_EQ(abertos.first(), servidor.endereco().resolved(QUrl(QStringLiteral("/downloads/"))));

    for (const char *versao : {"1.4.0", "1.3.9"}) {
        SCOPED_TRACE(versao);
        publicar("1.5");
        procurar();
        ASSERT_TRUE(verificador.disponivel());
        publicar(versao);
        procurar();
        EXPECT_FALSE(verificador.disponivel());
        EXPECT_TRUE(verificador.textoDaFaixa().isEmpty());
        EXPECT_TRUE(verificador.conferidoAgora());
    }
    verificador.abrirDownload();
    EXPECT_EQ(abertos.size(), 1);
}

TEST_F(VerificadorNoServidor, FalhasSoTerminamAProcura)
{
    publicar("2.0");
    procurar();
    ASSERT_TRUE(verificador.disponivel());
    const VersaoPublicada antes = *verificador.disponivel();

    struct Caso {
        const char *nome;
        Falha falha;
    };
    const Caso casos[] = {
        {"304", Falha::bruta(304, {})},
        {"500", Falha::erro(500, QStringLiteral("x"))},
        {"200 sem url", Falha::bruta(200, R"({"versao":"1.0"})")},
        {"200 sem versao", Falha::bruta(200, R"({"url":"https://x/"})")},
        {"200 html", Falha::paginaHtml(200)},
        {"conexão derrubada", Falha::conexaoDerrubada()},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        servidor.falharProximas(-1, caso.falha, QStringLiteral("GET"), QStringLiteral("/downloads/mac.json"));
        procurar();
        servidor.limparFalhas();
        EXPECT_EQ(verificador.disponivel(), antes);
        EXPECT_FALSE(verificador.conferindo());
    }
}

TEST_F(VerificadorNoServidor, PrimeiraProcuraQueFalhaNaoMarcaConferido)
{
    servidor.falharProximas(1, Falha::erro(500, QStringLiteral("x")));
    procurar();
    EXPECT_FALSE(verificador.conferidoAgora());
    EXPECT_FALSE(verificador.disponivel());
}

TEST_F(VerificadorNoServidor, VersaoSemDigitosNuncaENova)
{
    publicar("beta");
    procurar();
    EXPECT_FALSE(verificador.disponivel());
    EXPECT_TRUE(verificador.conferidoAgora());
}

TEST_F(VerificadorNoServidor, DuasChamadasSeguidasMandamUmPedido)
{
    publicar("1.5");
    servidor.definirAtraso(std::chrono::milliseconds(100));
    auto primeira = verificador.procurar();
    EXPECT_TRUE(verificador.conferindo());
    Testes::executar(verificador.procurar()); // returns at once
    EXPECT_TRUE(verificador.conferindo());
    Testes::executar(std::move(primeira));
    EXPECT_EQ(pedidosDoManifesto(), 1);
    EXPECT_TRUE(verificador.disponivel());
}

TEST_F(VerificadorNoServidor, SemEnderecoDoSiteNadaMuda)
{
    QVariantMap info = InfoDoPacote::dicionario();
    info.remove(QStringLiteral("URLDoSite"));
    InfoDoPacote::substituir(info);
    QSignalSpy conferindo(&verificador, &VerificadorDeAtualizacao::conferindoMudou);
    procurar();
    EXPECT_EQ(conferindo.count(), 0);
    EXPECT_EQ(pedidosDoManifesto(), 0);
}

TEST_F(VerificadorNoServidor, EnderecoDeDownloadRecusadoNaoAbre)
{
    for (const char *url : {"file:///etc/passwd", "http://corvane.app/baixar", "nao e endereco"}) {
        SCOPED_TRACE(url);
        servidor.falharProximas(1, Falha::bruta(200, QByteArray(R"({"versao":"9.0","url":")") + url + R"("})"),
                                QStringLiteral("GET"), QStringLiteral("/downloads/mac.json"));
        procurar();
        ASSERT_TRUE(verificador.disponivel());
        verificador.abrirDownload();
        EXPECT_TRUE(abertos.isEmpty());
    }
}
