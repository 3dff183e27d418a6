#include "core/Servico.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <optional>

namespace {

const QList<Servico> &catalogo() { return Servico::todos(); }

// How the service icon finds an entry by a compact key: the first entry in table order that
// lists the key.
std::optional<Servico> porApelido(const QString &chave)
{
    for (const Servico &servico : catalogo()) {
        if (servico.apelidos.contains(chave))
            return servico;
    }
    return std::nullopt;
}

QHash<QString, Servico> porId()
{
    QHash<QString, Servico> mapa;
    for (const Servico &servico : catalogo())
        mapa.insert(servico.id, servico);
    return mapa;
}

TEST(Servico, CatalogoTemOitentaEntradasDeGoogleAEbay)
{
    ASSERT_EQ(catalogo().size(), 80);
    EXPECT_EQ(catalogo().first().id, "google");
    EXPECT_EQ(catalogo().last().id, "ebay");
    // Built once: every call gives the same list.
    EXPECT_EQ(&Servico::todos(), &catalogo());
}

TEST(Servico, IdsUnicosEChavesCompactas)
{
    const QRegularExpression compacta("^[a-z0-9]+$");
    QSet<QString> ids;
    for (const Servico &servico : catalogo()) {
        SCOPED_TRACE(servico.id.toStdString());
        EXPECT_TRUE(compacta.match(servico.id).hasMatch());
        EXPECT_FALSE(ids.contains(servico.id));
        ids.insert(servico.id);
        EXPECT_FALSE(servico.nome.isEmpty());
        EXPECT_LE(servico.cor, 0xFFFFFFu);
        EXPECT_FALSE(servico.apelidos.isEmpty());
        for (const QString &apelido : servico.apelidos)
            EXPECT_TRUE(compacta.match(apelido).hasMatch()) << apelido.toStdString();
    }
    EXPECT_EQ(ids.size(), 80);
}

TEST(Servico, CadaEntradaEhEncontradaPeloProprioIdMenosBattleNet)
{
    for (const Servico &servico : catalogo()) {
        SCOPED_TRACE(servico.id.toStdString());
        EXPECT_EQ(servico.apelidos.contains(servico.id), servico.id != "battledotnet");
    }
    EXPECT_FALSE(porApelido("battledotnet").has_value());
    EXPECT_EQ(porApelido("battlenet").value().nome, "Battle.net");
    EXPECT_EQ(porApelido("blizzard").value().id, "battledotnet");
}

TEST(Servico, GmailEICloudLevamPrimeiroAGoogleEAApple)
{
    EXPECT_EQ(porApelido("gmail").value().id, "google");
    EXPECT_EQ(porApelido("icloud").value().id, "apple");

    // Only these two keys are shared, each by exactly two entries.
    QHash<QString, QStringList> donos;
    for (const Servico &servico : catalogo()) {
        for (const QString &apelido : servico.apelidos)
            donos[apelido].append(servico.id);
    }
    for (auto it = donos.cbegin(); it != donos.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        if (it.key() == "gmail")
            EXPECT_EQ(it.value(), (QStringList{"google", "gmail"}));
        else if (it.key() == "icloud")
            EXPECT_EQ(it.value(), (QStringList{"apple", "icloud"}));
        else
            EXPECT_EQ(it.value().size(), 1);
    }
}

TEST(Servico, NomesAntigosEApelidosLevamAoServico)
{
    const std::pair<const char *, const char *> casos[] = {
        {"twitter", "x"},         {"xcom", "x"},           {"youtube", "google"},        {"contadogoogle", "google"},
        {"appleid", "apple"},     {"meta", "facebook"},    {"bsky", "bluesky"},          {"meganz", "mega"},
        {"nu", "nubank"},         {"psn", "playstation"},  {"sony", "playstation"},      {"origin", "ea"},
        {"protonmail", "proton"}, {"confluence", "atlassian"}, {"leagueoflegends", "riotgames"},
        {"npmjs", "npm"},         {"dockerhub", "docker"}, {"ovhcloud", "ovh"},          {"epic", "epicgames"},
        {"wordpresscom", "wordpress"}, {"1password", "1password"}, {"github", "github"},
    };
    for (const auto &[chave, id] : casos) {
        SCOPED_TRACE(chave);
        const auto achado = porApelido(chave);
        ASSERT_TRUE(achado.has_value());
        EXPECT_EQ(achado->id, id);
    }
    for (const char *ausente : {"", "Google", "gmail.com", "battle.net", "twitter.com", "desconhecido"}) {
        SCOPED_TRACE(ausente);
        EXPECT_FALSE(porApelido(ausente).has_value());
    }
}

TEST(Servico, NomesECoresComoOServicoEscreve)
{
    const auto mapa = porId();
    EXPECT_EQ(mapa["npm"].nome, "npm");
    EXPECT_EQ(mapa["mailchimp"].nome, "MailChimp");
    EXPECT_EQ(mapa["mercadopago"].nome, "Mercado Pago");
    EXPECT_EQ(mapa["icloud"].nome, "iCloud");
    EXPECT_EQ(mapa["google"].cor, 0x4285F4u);
    EXPECT_EQ(mapa["ebay"].cor, 0xE53238u);
    EXPECT_EQ(mapa["unity"].cor, 0xFFFFFFu);

    QSet<QString> pretos;
    for (const Servico &servico : catalogo()) {
        if (servico.cor == 0x000000)
            pretos.insert(servico.id);
    }
    const QSet<QString> esperados = {"apple", "x",     "threads", "tiktok",  "okx",    "vercel",    "notion",
                                     "squarespace", "steam", "ea", "ubisoft", "roblox", "jetbrains", "uber"};
    EXPECT_EQ(pretos, esperados);
}

TEST(Servico, IgualdadeEHashCobremOsQuatroCampos)
{
    const Servico google = catalogo().first();
    EXPECT_EQ(google, catalogo().first());
    Servico outro = google;
    outro.apelidos.removeLast();
    EXPECT_NE(outro, google);
    outro = google;
    outro.cor ^= 1;
    EXPECT_NE(outro, google);
    EXPECT_NE(qHash(outro), qHash(google));

    QSet<Servico> todos(catalogo().cbegin(), catalogo().cend());
    EXPECT_EQ(todos.size(), 80);
    EXPECT_TRUE(todos.contains(google));
}

} // namespace
