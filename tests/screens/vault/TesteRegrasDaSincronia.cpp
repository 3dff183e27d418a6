// The sync views' rules: the status line's state and idle text, the unreadable-items title, the
// toast after signing in again and the loop's decision.
#include "screens/vault/RegrasDaSincronia.h"

#include <gtest/gtest.h>

namespace {

const QDateTime agora(QDate(2026, 3, 2), QTime(9, 41, 10), Qt::UTC);

} // namespace

TEST(RegrasDaSincronia, EstadoDaLinhaSegueAPrioridade)
{
    struct Caso {
        bool sessaoEncerrada, semConexao, falhou;
        const char *esperado;
    };
    const Caso casos[] = {
        {false, false, false, "ocioso"},        {false, false, true, "falhou"},
        {false, true, false, "semConexao"},     {false, true, true, "semConexao"},
        {true, false, false, "sessaoEncerrada"}, {true, true, false, "sessaoEncerrada"},
        {true, true, true, "sessaoEncerrada"},  {true, false, true, "sessaoEncerrada"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.esperado);
        EXPECT_EQ(RegrasDaSincronia::estadoDaLinha(caso.sessaoEncerrada, caso.semConexao, caso.falhou),
                  QString::fromLatin1(caso.esperado));
    }
}

TEST(RegrasDaSincronia, SoASessaoEAFalhaAnimamATroca)
{
    struct Caso {
        const char *de, *para;
        bool animada;
    };
    const Caso casos[] = {
        {"ocioso", "semConexao", false}, {"semConexao", "ocioso", false}, {"ocioso", "falhou", true},
        {"falhou", "ocioso", true},      {"semConexao", "sessaoEncerrada", true}, {"sessaoEncerrada", "ocioso", true},
        {"falhou", "falhou", false},
    };
    for (const Caso &caso : casos)
        EXPECT_EQ(RegrasDaSincronia::trocaAnimada(QString::fromLatin1(caso.de), QString::fromLatin1(caso.para)),
                  caso.animada)
            << caso.de << " -> " << caso.para;
}

TEST(RegrasDaSincronia, TextoDaUltimaSincronia)
{
    const QTimeZone utc(QTimeZone::utc());
    const QTimeZone saoPaulo("America/Sao_Paulo");
    struct Caso {
        std::optional<QDateTime> ultima;
        QTimeZone fuso;
        const char *esperado;
    };
    const Caso casos[] = {
        {std::nullopt, utc, "Sincronizando com sua conta"},
        {agora, utc, "Sincronizado agora"},
        {agora.addSecs(-59), utc, "Sincronizado agora"},
        {agora.addSecs(3600), utc, "Sincronizado agora"}, // clock moved back
        {agora.addSecs(-60), utc, "Sincronizado há 1 min"},
        {agora.addSecs(-(59 * 60 + 59)), utc, "Sincronizado há 59 min"},
        {agora.addSecs(-3600), utc, "Sincronizado às 08:41"},
        {QDateTime(QDate(2026, 3, 2), QTime(0, 5), Qt::UTC), utc, "Sincronizado às 00:05"},
        {QDateTime(QDate(2026, 3, 1), QTime(20, 0), Qt::UTC), utc, "Sincronizado em 01/03 às 20:00"},
        {QDateTime(QDate(2025, 12, 31), QTime(23, 59), Qt::UTC), utc, "Sincronizado em 31/12/2025 às 23:59"},
        // "Today" is the user's: 02:00 UTC on the 2nd is still the 1st in São Paulo (UTC-3).
        {QDateTime(QDate(2026, 3, 2), QTime(2, 0), Qt::UTC), saoPaulo, "Sincronizado em 01/03 às 23:00"},
        {QDateTime(QDate(2026, 3, 2), QTime(4, 0), Qt::UTC), saoPaulo, "Sincronizado às 01:00"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.esperado);
        EXPECT_EQ(RegrasDaSincronia::textoDaUltimaSincronia(caso.ultima, agora, caso.fuso),
                  QString::fromUtf8(caso.esperado));
    }
}

TEST(RegrasDaSincronia, TituloDosIlegiveisNoSingularSoComUm)
{
    const std::pair<int, const char *> casos[] = {
        {1, "1 item ainda não abriu neste computador"},
        {0, "0 itens ainda não abriram neste computador"},
        {2, "2 itens ainda não abriram neste computador"},
        {1234, "1234 itens ainda não abriram neste computador"},
    };
    for (const auto &[total, esperado] : casos)
        EXPECT_EQ(RegrasDaSincronia::tituloDosIlegiveis(total), QString::fromUtf8(esperado)) << total;
}

TEST(RegrasDaSincronia, SincronizadoSoQuandoASincroniaAvancouSemFalha)
{
    const QString sincronizado = QStringLiteral("Sincronizado");
    const QString neutro = QStringLiteral("Você entrou de novo.");
    struct Caso {
        std::optional<QDateTime> antes, depois;
        bool semConexao, falhou;
        QString esperado;
    };
    const Caso casos[] = {
        {agora, agora.addSecs(5), false, false, sincronizado},
        {std::nullopt, agora, false, false, sincronizado},
        {agora, agora, false, false, neutro},              // the sync after it did not complete
        {std::nullopt, std::nullopt, false, false, neutro}, // never synced
        {agora, agora.addSecs(5), false, true, neutro},
        {agora, agora.addSecs(5), true, false, neutro},
        {agora, std::nullopt, false, false, neutro},
    };
    for (const Caso &caso : casos) {
        const auto aviso =
            RegrasDaSincronia::avisoAoEntrarDeNovo(caso.antes, caso.depois, caso.semConexao, caso.falhou);
        EXPECT_EQ(aviso.texto, caso.esperado);
        EXPECT_EQ(aviso.simbolo, caso.esperado == sincronizado ? QStringLiteral("checkmark.icloud.fill")
                                                                : QStringLiteral("checkmark.circle.fill"));
    }
}

TEST(RegrasDaSincronia, LacoEncerraAoSerCanceladoOuPerderOCofreESoPedeEmPrimeiroPlano)
{
    using Passo = RegrasDaSincronia::Passo;
    struct Caso {
        bool cancelado, cofreAtual, primeiroPlano;
        Passo esperado;
    };
    const Caso casos[] = {
        {false, true, true, Passo::sincronizar}, {false, true, false, Passo::esperar},
        {true, true, true, Passo::encerrar},     {false, false, true, Passo::encerrar},
        {true, false, false, Passo::encerrar},
    };
    for (const Caso &caso : casos)
        EXPECT_EQ(RegrasDaSincronia::passoDoLaco(caso.cancelado, caso.cofreAtual, caso.primeiroPlano), caso.esperado);
}
