// The concealed copy: the marker, the wipe 30 seconds later on a clock the test steps, no wipe
// after any other copy, the compositor's echo of our own copy, the wall-clock deadline across a
// suspend, and the primary selection never touched. Runs on the offscreen clipboard and again
// under Xvfb, where the selection exists.
#include "screens/comum/AreaDeTransferencia.h"
#include "support/RelogioDeTeste.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <variant>
#include <vector>

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

namespace {

// One thing that happens to the clipboard, in a scripted sequence.
struct Copiar { QString texto; };          // our concealed copy
struct Eco {};                             // the compositor hands our own selection back
struct OutroCopia { QString texto; };      // another program (here: plain in-process) copies
struct Avancar { std::chrono::milliseconds quanto; };  // time passes, timers run
struct Saltar { std::chrono::milliseconds quanto; };   // suspend/resume or clock set: wall clock jumps
struct Espera { QString texto; bool marcada; };        // what the clipboard must hold now
using Passo = std::variant<Copiar, Eco, OutroCopia, Avancar, Saltar, Espera>;

struct Roteiro {
    const char *nome;
    std::vector<Passo> passos;

    friend void PrintTo(const Roteiro &roteiro, std::ostream *saida) { *saida << roteiro.nome; }
};

const std::vector<Roteiro> &roteiros()
{
    static const std::vector<Roteiro> todos = {
        {"EcoDaPropriaCopiaNaoImpedeOApagamento",
         {Copiar{"482913"}, Eco{}, Avancar{3ms}, Eco{}, Avancar{29s}, Espera{"482913", true}, Avancar{1s},
          Espera{"", false}}},
        {"EcoDepoisDeOutroProgramaNaoDevolveACopia",
         {Copiar{"482913"}, OutroCopia{"do outro"}, Eco{}, Avancar{30s}, Espera{"do outro", false}}},
        {"OutroProgramaDepoisDoEcoFica",
         {Copiar{"482913"}, Eco{}, Avancar{10s}, OutroCopia{"do outro"}, Avancar{30s}, Espera{"do outro", false}}},
        {"SuspensoComSegredoApagaAoAcordar",
         {Copiar{"segredo"}, Avancar{5s}, Saltar{std::chrono::hours{8}}, Avancar{1s}, Espera{"", false}}},
        {"SuspensoCurtoContaOTempoDormido",
         {Copiar{"segredo"}, Avancar{5s}, Saltar{20s}, Avancar{4s}, Espera{"segredo", true}, Avancar{1s},
          Espera{"", false}}},
        {"RelogioAtrasadoNaoAdiaOApagamento",
         {Copiar{"segredo"}, Avancar{5s}, Saltar{-std::chrono::hours{1}}, Avancar{24s}, Espera{"segredo", true},
          Avancar{1s}, Espera{"", false}}},
        {"CopiaNovaDepoisDeAcordarTemSeusProprios30Segundos",
         {Copiar{"primeira"}, Saltar{std::chrono::hours{1}}, Copiar{"segunda"}, Avancar{29s},
          Espera{"segunda", true}, Avancar{1s}, Espera{"", false}}},
        {"EcoDaCopiaAnteriorNaoApagaANova",
         {Copiar{"primeira"}, Avancar{20s}, Copiar{"segunda"}, Eco{}, Avancar{10s}, Espera{"segunda", true},
          Avancar{20s}, Espera{"", false}}},
    };
    return todos;
}

class RoteiroDaArea : public AreaDeTransferenciaTeste, public ::testing::WithParamInterface<Roteiro> {};

} // namespace

TEST_P(RoteiroDaArea, SegueORoteiro)
{
    int indice = 0;
    for (const Passo &passo : GetParam().passos) {
        SCOPED_TRACE(testing::Message() << "passo " << indice++);
        std::visit(
            [this](const auto &p) {
                using T = std::decay_t<decltype(p)>;
                if constexpr (std::is_same_v<T, Copiar>) {
                    transferencia.copiarProtegido(p.texto);
                } else if constexpr (std::is_same_v<T, Eco>) {
                    // What the Wayland platform does when the compositor echoes our selection:
                    // a change notification while the clipboard still holds our data.
                    emit area()->changed(QClipboard::Clipboard);
                } else if constexpr (std::is_same_v<T, OutroCopia>) {
                    area()->setText(p.texto, QClipboard::Clipboard);
                } else if constexpr (std::is_same_v<T, Avancar>) {
                    relogio.avancar(p.quanto);
                } else if constexpr (std::is_same_v<T, Saltar>) {
                    relogio.saltar(p.quanto);
                } else {
                    EXPECT_EQ(texto(), p.texto);
                    EXPECT_EQ(marca(), p.marcada ? QByteArrayLiteral("secret") : QByteArray());
                }
            },
            passo);
    }
}

INSTANTIATE_TEST_SUITE_P(AreaDeTransferencia, RoteiroDaArea, ::testing::ValuesIn(roteiros()),
                         [](const auto &info) { return std::string(info.param.nome); });
