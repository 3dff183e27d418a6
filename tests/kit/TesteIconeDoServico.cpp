// The service icon: finding the service, light brand colours, the monogram and its hash.
#include "kit/RegrasDoIconeDoServico.h"
#include "support/quick/TesteQuick.h"

#include <QQuickItem>

#include <cstdint>
#include <limits>

using namespace iconeDoServico;

namespace {

TEST(RegrasDoIconeDoServico, Normalizacao)
{
    const struct {
        const char *texto;
        const char *normalizado;
    } casos[] = {{"São João 2", "saojoao2"}, {"  GitHub.com ", "githubcom"}, {"Ação—Ünïcødé!", "acaounicøde"},
                 {"#@!", ""},              {"", ""},                     {"ÀÉÎÕÜ ç", "aeiouc"},
                 {"Ωmega 𝟙", "ωmega𝟙"}};
    for (const auto &caso : casos)
        EXPECT_EQ(normalizar(QString::fromUtf8(caso.texto)), QString::fromUtf8(caso.normalizado)) << caso.texto;
}

TEST(RegrasDoIconeDoServico, ResolucaoNoCatalogo)
{
    const struct {
        const char *nome;
        QStringList dicas;
        const char *escolhido;
        const char *servico; // "" when none
    } casos[] = {
        {"GitHub", {}, "", "github"},                          // id, exactly
        {"Gmail", {}, "", "gmail"},                            // an id beats google's alias "gmail"
        {"YouTube", {}, "", "google"},                         // alias, exactly
        {"Twitter", {}, "", "x"},
        {"GitHub", {}, "dropbox", "dropbox"},                  // the chosen id wins
        {"GitHub", {}, "nao-existe", "github"},                // an unknown choice falls back
        {"Minha conta", {"github.com"}, "", "github"},         // a hint, approximately (prefix)
        {"accounts.google.com", {}, "", "google"},             // an alias of 5+ inside the name
        {"Trabalho", {"nubank"}, "", "nubank"},                // the hint's exact match
        {"githubenterprise", {}, "", "github"},                // prefix
        {"jiraboard", {}, "", "jira"},                         // 4-letter alias as a prefix
        {"myjiraboard", {}, "", ""},                           // 4-letter alias never inside
        {"gma", {}, "", ""},                                   // a 3-letter candidate never approximates
        {"ovh", {}, "", "ovh"},                                // but matches exactly
        {"Banco Inter", {}, "", ""},
        {"", {"www.dropbox.com"}, "", "dropbox"},
        {"#!?", {}, "", ""},
    };
    for (const auto &caso : casos) {
        const Servico *s = resolver(QString::fromUtf8(caso.nome), caso.dicas, QString::fromUtf8(caso.escolhido));
        EXPECT_EQ(s ? s->id : QString(), QString::fromUtf8(caso.servico)) << caso.nome << " / " << caso.escolhido;
    }
}

TEST(RegrasDoIconeDoServico, CoresClaras)
{
    EXPECT_TRUE(corClara(0xFFFFFF));
    EXPECT_TRUE(corClara(0xFFFC00));  // snapchat
    EXPECT_TRUE(corClara(0xFFE01B));  // mailchimp
    EXPECT_FALSE(corClara(0x1BDBDB)); // 0.698
    EXPECT_FALSE(corClara(0x181717));
    EXPECT_FALSE(corClara(0xD1D1D1)); // exactly 0.8196…, not above 0.82
}

TEST(RegrasDoIconeDoServico, MonogramaPorNome)
{
    const struct {
        const char *nome;
        const char *letra;
        int indice;
    } casos[] = {
        {"ana", "A", 5},
        {"Banco Inter", "B", 2},
        {"Condomínio", "C", 4},
        {"zz", "Z", 1},
        {"Meu Servidor Pessoal de Arquivos 2024", "M", 4}, // negative as a signed hash
        {"Prefeitura de São Paulo", "P", 7},               // negative: magnitude, not the raw bits
        {"  João  ", "J", 6},
        {"Loja X", "L", 3},
        {"a", "A", 6},
        {"Ω mega", "Ω", 0},
        {"éclair", "É", 5},
        {"", "•", 5},
        {" \n\t", "•", 5},
        {"#hashtag!", "#", 5},
        {"###", "#", 5},
    };
    for (const auto &caso : casos) {
        EXPECT_EQ(letraDoMonograma(QString::fromUtf8(caso.nome)), QString::fromUtf8(caso.letra)) << caso.nome;
        EXPECT_EQ(indiceDoMonograma(QString::fromUtf8(caso.nome)), caso.indice) << caso.nome;
    }
    // The same name, the same colours, whatever was hashed before.
    EXPECT_EQ(indiceDoMonograma(QStringLiteral("Loja X")), indiceDoMonograma(QStringLiteral("loja-x")));
    EXPECT_EQ(hashDoNome(QStringLiteral("ana")), 0xb885e15u);
    EXPECT_EQ(hashDoNome(QStringLiteral("prefeituradesaopaulo")), 0xa3a5067547b7f189u);
}

TEST(RegrasDoIconeDoServico, HashNosExtremos)
{
    constexpr std::uint64_t minimo = std::uint64_t{1} << 63; // INT64_MIN's bits
    const struct {
        std::uint64_t hash;
        int indice;
    } casos[] = {
        {0, 0}, {1, 1}, {7, 7}, {8, 0}, {9, 1},
        {std::numeric_limits<std::uint64_t>::max(), 1}, // -1
        {minimo, 0},                                     // |INT64_MIN| = 2^63
        {minimo + 1, 7},                                 // -(2^63 - 1)
        {minimo - 1, 7},                                 // INT64_MAX
        {static_cast<std::uint64_t>(-9), 1},
        {static_cast<std::uint64_t>(-12), 4},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(indiceDoHash(caso.hash), caso.indice) << std::hex << caso.hash;
}

class IconeDoServicoNaTela : public TesteQuick {};

TEST_F(IconeDoServicoNaTela, FolhaDeIcones)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
Grid {
    padding: 20
    columns: 6
    spacing: 16
    Repeater {
        model: [
            { nome: "GitHub", dicas: [] }, { nome: "Gmail", dicas: [] }, { nome: "YouTube", dicas: [] },
            { nome: "Conta", dicas: ["dropbox.com"] }, { nome: "Nubank", dicas: [] }, { nome: "Discord", dicas: [] },
            { nome: "Unity", dicas: [] }, { nome: "Snapchat", dicas: [] }, { nome: "Mailchimp", dicas: [] },
            { nome: "ana", dicas: [] }, { nome: "Banco Inter", dicas: [] }, { nome: "Condomínio", dicas: [] },
            { nome: "zz", dicas: [] }, { nome: "João", dicas: [] }, { nome: "Loja X", dicas: [] },
            { nome: "Prefeitura de São Paulo", dicas: [] }, { nome: "", dicas: [] }, { nome: "###", dicas: [] }
        ]
        IconeDoServico {
            required property var modelData
            required property int index
            objectName: "icone" + index
            nome: modelData.nome
            dicas: modelData.dicas
            tamanho: 44
        }
    }
})"),
                               QSize(20 * 2 + 6 * 44 + 5 * 16, 20 * 2 + 3 * 44 + 2 * 16), QStringLiteral("#ffffff"));
    ASSERT_TRUE(raiz);
    const QImage imagem = capturar(QStringLiteral("icones-de-servico"));

    // GitHub: dark brand colour, white mark, no outline.
    auto *github = achar<QQuickItem>(QStringLiteral("icone0"));
    QObject *aparencia = github->findChild<QObject *>("aparencia");
    EXPECT_TRUE(aparencia->property("encontrado").toBool());
    EXPECT_EQ(aparencia->property("corDoTexto").value<QColor>(), QColor(Qt::white));
    EXPECT_FALSE(aparencia->property("contorno").toBool());
    EXPECT_EQ(imagem.pixelColor(ponto(github, 4, 22)), QColor(0x18, 0x17, 0x17));

    // Unity (#FFFFFF): ink mark and the border outline.
    auto *unity = achar<QQuickItem>(QStringLiteral("icone6"));
    aparencia = unity->findChild<QObject *>("aparencia");
    EXPECT_EQ(aparencia->property("corDoTexto").value<QColor>(), QColor(20, 25, 34));
    EXPECT_TRUE(aparencia->property("contorno").toBool());
    const QColor naBorda = imagem.pixelColor(ponto(unity, 0.4, 22));
    EXPECT_LT(naBorda.green(), 250) << "outline drawn";

    // Monograms: their pair's colours, the tile with a radius of 27 %.
    const struct {
        int item;
        int par;
    } monogramas[] = {{9, 5}, {10, 2}, {11, 4}, {12, 1}, {13, 6}, {14, 3}, {15, 7}, {16, 5}, {17, 5}};
    for (const auto &m : monogramas) {
        auto *icone = achar<QQuickItem>(QStringLiteral("icone%1").arg(m.item));
        aparencia = icone->findChild<QObject *>("aparencia");
        EXPECT_FALSE(aparencia->property("encontrado").toBool()) << m.item;
        EXPECT_EQ(aparencia->property("corDeFundo").value<QColor>(), paresDoMonograma()[m.par].fundo) << m.item;
        EXPECT_EQ(imagem.pixelColor(ponto(icone, 4, 22)), paresDoMonograma()[m.par].fundo) << m.item;
        EXPECT_EQ(aparencia->property("corDoTexto").value<QColor>(), paresDoMonograma()[m.par].texto) << m.item;
    }
    EXPECT_DOUBLE_EQ(achar<QQuickItem>(QStringLiteral("icone9"))->findChild<QQuickItem *>("fundoDoIcone")->property("radius").toDouble(),
                     44 * 0.27);
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("icone16"))->findChild<QQuickItem *>("textoDoIcone")->property("text").toString(),
              QStringLiteral("•"));
}

} // namespace
