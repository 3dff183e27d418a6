// The wizard's rules without a window: the meter's names, colours and lit bars per level, the
// back button per step, and when each button may act.
#include "screens/account/CriacaoDeConta.h"
#include "screens/account/ForcaDaSenha.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

class CriacaoDeContaNasRegras {
public:
    static void etapa(CriacaoDeConta &modelo, CriacaoDeConta::Etapa etapa) { modelo.definirEtapa(etapa); }
    static void enviando(CriacaoDeConta &modelo, bool valor) { modelo.definirEnviando(valor); }
};

namespace {

using Etapa = CriacaoDeConta::Etapa;

TEST(ForcaDaSenha, RotuloCorEBarrasPorNivel)
{
    const QColor vermelho(220, 38, 38), ambar(201, 138, 22), verde(30, 158, 90);
    struct Caso {
        int nivel;
        const char *rotulo;
        QColor cor;
        int acesas;
    };
    const Caso casos[] = {
        {0, "Muito fraca", vermelho, 1}, {1, "Fraca", vermelho, 2}, {2, "Razoável", ambar, 3},
        {3, "Forte", verde, 4},          {4, "Muito forte", verde, 5}, {7, "Muito forte", verde, 5},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nivel);
        EXPECT_EQ(ForcaDaSenha::rotulo(caso.nivel), QString::fromUtf8(caso.rotulo));
        EXPECT_EQ(ForcaDaSenha::cor(caso.nivel), caso.cor);
        const QVariantList cores = ForcaDaSenha::coresDasBarras(caso.nivel);
        ASSERT_EQ(cores.size(), ForcaDaSenha::barras);
        for (int i = 0; i < ForcaDaSenha::barras; ++i)
            EXPECT_EQ(cores[i].value<QColor>(), i < caso.acesas ? caso.cor : QColor(230, 234, 241)) << "bar " << i;
    }
    EXPECT_EQ(ForcaDaSenha::nivel(QString()), 0);
    EXPECT_EQ(ForcaDaSenha::nivel(QStringLiteral("cavalo correto bateria grampo")), 4);
}

TEST(CriacaoDeConta, VoltarPorEtapa)
{
    struct Caso {
        const char *nome;
        Etapa de;
        bool social;
        Etapa para;
        bool saiDoAssistente;
    };
    const Caso casos[] = {
        {"data step leaves the wizard", Etapa::dados, false, Etapa::dados, true},
        {"e-mail step to data", Etapa::email, false, Etapa::dados, false},
        {"password step to e-mail", Etapa::senha, false, Etapa::email, false},
        {"password step of a social account to data", Etapa::senha, true, Etapa::dados, false},
        {"no way back from the recovery code", Etapa::codigo, false, Etapa::codigo, false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        CriacaoDeConta modelo;
        if (caso.social)
            modelo.definirSocial(QVariant::fromValue(RespostaSocial{QStringLiteral("nova"), QStringLiteral("a@b.c"),
                                                                    {}, {}, QStringLiteral("t"), {}}));
        CriacaoDeContaNasRegras::etapa(modelo, caso.de);
        QSignalSpy saidas(&modelo, &CriacaoDeConta::voltarParaEntrar);
        modelo.voltar();
        EXPECT_EQ(modelo.etapa(), caso.para);
        EXPECT_EQ(saidas.count(), caso.saiDoAssistente ? 1 : 0);
        EXPECT_EQ(modelo.temVoltar(), caso.para != Etapa::codigo);
    }
}

TEST(CriacaoDeConta, QuandoCadaBotaoPodeAgir)
{
    CriacaoDeConta modelo;
    struct Caso {
        const char *nome;
        QString nomeDigitado, email, codigo, senha, confirmacao;
        bool enviando;
        bool continuar, confirmar, criar, diferentes;
    };
    const QString forte = QStringLiteral("cavalo correto bateria grampo");
    const Caso casos[] = {
        {"empty form", {}, {}, {}, {}, {}, false, false, false, false, false},
        {"tab-only name", QStringLiteral("\t "), QStringLiteral("a@b"), {}, {}, {}, false, false, false, false, false},
        {"name and e-mail", QStringLiteral("Ana"), QStringLiteral("a@b"), QStringLiteral("12 34 56"), forte, forte,
         false, true, true, true, false},
        {"while sending", QStringLiteral("Ana"), QStringLiteral("a@b"), QStringLiteral("123456"), forte, forte, true,
         false, false, false, false},
        {"weak password", {}, {}, {}, QStringLiteral("xicaraverde"), QStringLiteral("xicaraverde"), false, false, false,
         false, false},
        {"confirmation differs", {}, {}, {}, forte, QStringLiteral("cavalo"), false, false, false, false, true},
        {"confirmation differs only in case", {}, {}, {}, forte, forte.toUpper(), false, false, false, false, true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        modelo.definirNome(caso.nomeDigitado);
        modelo.definirEmail(caso.email);
        modelo.definirCodigoDoEmail(caso.codigo);
        modelo.definirSenha(caso.senha);
        modelo.definirConfirmacao(caso.confirmacao);
        CriacaoDeContaNasRegras::enviando(modelo, caso.enviando);
        EXPECT_EQ(modelo.podeContinuar(), caso.continuar);
        EXPECT_EQ(modelo.podeConfirmarEmail(), caso.confirmar);
        EXPECT_EQ(modelo.podeCriar(), caso.criar);
        EXPECT_EQ(modelo.senhasDiferentes(), caso.diferentes);
    }
}

TEST(CriacaoDeConta, GruposDoCodigoEEmailNormalizado)
{
    CriacaoDeConta modelo;
    EXPECT_TRUE(modelo.gruposDoCodigo().isEmpty());
    modelo.definirEmail(QStringLiteral(" \tAna@Exemplo.COM\n"));
    EXPECT_EQ(modelo.emailNormalizado(), QStringLiteral("ana@exemplo.com"));
}

} // namespace
