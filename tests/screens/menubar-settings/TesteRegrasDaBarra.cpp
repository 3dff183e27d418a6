// The panel's and the settings' rules as tables: the face of each phase, the update texts, the
// generator's length bounds, the owner prompt's reasons and the update check's texts.
#include "screens/menubar-settings/ModeloDosAjustes.h"
#include "screens/menubar-settings/RegrasDaBarra.h"

#include "plataforma/InfoDoPacote.h"
#include "screens/menubar-settings/VerificadorDeAtualizacao.h"

#include <gtest/gtest.h>

namespace {

TEST(RegrasDaBarra, FaceDeCadaFase)
{
    const std::pair<const char *, const char *> casos[] = {
        {"iniciando", "semConta"}, {"semConta", "semConta"}, {"bloqueado", "bloqueado"},
        {"aberto", "aberto"},      {"", "semConta"},         {"Aberto", "semConta"},
    };
    for (const auto &[fase, face] : casos)
        EXPECT_EQ(RegrasDaBarra::face(QString::fromLatin1(fase)), QString::fromLatin1(face)) << fase;
}

TEST(RegrasDaBarra, LinhaDeDownloadSoComVersaoDisponivel)
{
    EXPECT_EQ(RegrasDaBarra::textoDoDownload(QVariant()), QString());
    EXPECT_EQ(RegrasDaBarra::textoDoDownload(QVariant(QStringLiteral("1.3.0"))), QString());
    VersaoPublicada versao;
    versao.versao = QStringLiteral("1.3.0");
    EXPECT_EQ(RegrasDaBarra::textoDoDownload(QVariant::fromValue(versao)), QStringLiteral("Baixar a versão 1.3.0"));
}

TEST(RegrasDosAjustes, TamanhoLimitadoDe12A64)
{
    const std::pair<qint64, int> casos[] = {
        {-5, 12}, {0, 12}, {11, 12}, {12, 12}, {20, 20}, {64, 64}, {65, 64}, {1'000'000'000'000, 64},
    };
    for (const auto &[pedido, guardado] : casos)
        EXPECT_EQ(ModeloDosAjustes::limitarTamanho(pedido), guardado) << pedido;
    EXPECT_EQ(ModeloDosAjustes::textoDoTamanho(20), QStringLiteral("Tamanho: 20 caracteres"));
}

TEST(RegrasDosAjustes, TextosDaProtecaoEDaAtualizacao)
{
    EXPECT_EQ(ModeloDosAjustes::motivoDaProtecao(true), QStringLiteral("Proteger o Corvane"));
    EXPECT_EQ(ModeloDosAjustes::motivoDaProtecao(false), QStringLiteral("Tirar a proteção do Corvane"));
    EXPECT_EQ(ModeloDosAjustes::rotuloDaProtecao(), QStringLiteral("Proteger com senha do computador"));
    EXPECT_EQ(ModeloDosAjustes::textoDaConferencia(true), QStringLiteral("Você está na versão mais recente."));
    EXPECT_EQ(ModeloDosAjustes::textoDaConferencia(false), QStringLiteral("Confira se há uma versão nova."));
    EXPECT_EQ(ModeloDosAjustes::tituloDaProcura(true), QStringLiteral("Conferindo…"));
    EXPECT_EQ(ModeloDosAjustes::tituloDaProcura(false), QStringLiteral("Procurar atualização"));
    EXPECT_EQ(ModeloDosAjustes::textoDoDownload(QStringLiteral("2.0")), QStringLiteral("Baixar a versão 2.0"));
    EXPECT_EQ(ModeloDosAjustes::mensagemDeSaida(),
              QStringLiteral("Os dados deste computador serão apagados. Seus itens continuam na conta."));
}

TEST(RegrasDosAjustes, LinksSoHttp)
{
    ModeloDosAjustes modelo;
    QList<QUrl> abertos;
    modelo.definirAbridor([&](const QUrl &url) { abertos << url; });
    for (const char *url : {"https://corvane.exemplo/termos", "http://127.0.0.1:8080/suporte", "file:///etc/passwd",
                            "javascript:alert(1)", "corvane://social"})
        modelo.abrirLink(QUrl(QString::fromLatin1(url)));
    EXPECT_EQ(abertos, (QList<QUrl>{QUrl(QStringLiteral("https://corvane.exemplo/termos")),
                                    QUrl(QStringLiteral("http://127.0.0.1:8080/suporte"))}));
}

} // namespace

namespace {

TEST(RegrasDosAjustes, AjudaVaziaSemEnderecoDoSite)
{
    QVariantMap info = InfoDoPacote::dicionario();
    info.insert(QStringLiteral("URLDoSite"), QStringLiteral("https://corvane.exemplo/base"));
    InfoDoPacote::substituir(info);
    const QVariantList links = ModeloDosAjustes::linksDeAjuda();
    ASSERT_EQ(links.size(), 3);
    EXPECT_EQ(links.at(1).toMap().value(QStringLiteral("url")).toUrl(),
              QUrl(QStringLiteral("https://corvane.exemplo/base/privacidade")));
    info.remove(QStringLiteral("URLDoSite"));
    InfoDoPacote::substituir(info);
    EXPECT_TRUE(ModeloDosAjustes::linksDeAjuda().isEmpty());
    InfoDoPacote::substituir(std::nullopt);
}

} // namespace
