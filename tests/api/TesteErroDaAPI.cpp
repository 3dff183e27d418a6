// The sentence each API error shows, and the waiting phrase of too many attempts.
#include "api/ErroDaAPI.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

ErroDaAPI servidor(int status, const char *codigo, const char *mensagem = "", const QByteArray &corpo = {})
{
    return ErroDaAPI::servidor(status, QString::fromUtf8(codigo), QString::fromUtf8(mensagem), corpo);
}

} // namespace

TEST(ErroDaAPI, CasosSemPayloadTemSuasFrases)
{
    EXPECT_EQ(ErroDaAPI::semConexao().errorDescription(),
              QStringLiteral("Sem conexão com a internet. Confira a rede e tente de novo."));
    EXPECT_EQ(ErroDaAPI::sessaoEncerrada().errorDescription(), QStringLiteral("Sua sessão terminou. Entre de novo."));
    EXPECT_EQ(ErroDaAPI::respostaInesperada().errorDescription(),
              QStringLiteral("Não conseguimos falar com o servidor agora. Tente de novo em instantes."));
    EXPECT_EQ(ErroDaAPI::semConexao().status, 0);
    EXPECT_TRUE(ErroDaAPI::sessaoEncerrada().codigo.isEmpty());
}

TEST(ErroDaAPI, CodigosConhecidosSemMensagemUsamATabela)
{
    const struct {
        const char *codigo;
        const char *texto;
    } casos[] = {
        {"credenciais-invalidas", "E-mail ou senha incorretos."},
        {"email-em-uso", "Já existe uma conta com este e-mail."},
        {"autenticador-necessario", "Digite o código de seis números do seu autenticador."},
        {"item-grande-demais", "Este conteúdo é grande demais para guardar."},
        {"conflito-de-revisao", "Este item mudou em outro aparelho."},
        {"dados-invalidos", "Alguns dados não estão certos. Confira e tente de novo."},
        {"codigo-vencido", "Este código não vale mais. Peça um código novo."},
        {"email-indisponivel", "Não conseguimos enviar o e-mail agora. Tente de novo em alguns minutos."},
        {"email-nao-confirmado", "Confirme seu e-mail com o código que enviamos."},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.codigo);
        // Also under a 5xx: the code's sentence comes before the status rule.
        EXPECT_EQ(servidor(400, caso.codigo).errorDescription(), QString::fromUtf8(caso.texto));
        EXPECT_EQ(servidor(503, caso.codigo).errorDescription(), QString::fromUtf8(caso.texto));
    }
}

TEST(ErroDaAPI, CodigoComparadoExatamente)
{
    EXPECT_EQ(servidor(400, "Credenciais-Invalidas").errorDescription(),
              QStringLiteral("Não deu certo. Tente de novo."));
    EXPECT_EQ(servidor(401, "nao-autenticado").errorDescription(), QStringLiteral("Não deu certo. Tente de novo."));
}

TEST(ErroDaAPI, MensagemDoServidorVenceATabela)
{
    EXPECT_EQ(servidor(401, "credenciais-invalidas", "Senha errada, confira.").errorDescription(),
              QStringLiteral("Senha errada, confira."));
    EXPECT_EQ(servidor(500, "qualquer", "  com espaços  ").errorDescription(), QStringLiteral("  com espaços  "));
}

TEST(ErroDaAPI, SemCodigoConhecidoDecideOStatus)
{
    const QString nossoLado = QStringLiteral("Algo deu errado do nosso lado. Tente de novo em instantes.");
    const QString generico = QStringLiteral("Não deu certo. Tente de novo.");
    EXPECT_EQ(servidor(503, "erro-503", "", "<html>indisponível</html>").errorDescription(), nossoLado);
    EXPECT_EQ(servidor(500, "erro-500").errorDescription(), nossoLado);
    EXPECT_EQ(servidor(404, "erro-404", "", "nada aqui").errorDescription(), generico);
    EXPECT_EQ(servidor(499, "erro-499").errorDescription(), generico);
    EXPECT_EQ(servidor(302, "erro-302").errorDescription(), generico);
}

TEST(ErroDaAPI, MuitasTentativasComEsperaLegivel)
{
    const struct {
        QByteArray corpo;
        const char *mensagem;
        const char *texto;
    } casos[] = {
        {R"({"erro":"muitas-tentativas","mensagem":"","tenteNovamenteEm":1})", "",
         "Muitas tentativas seguidas. Tente de novo em 1 segundo."},
        {R"({"tenteNovamenteEm":90})", "", "Muitas tentativas seguidas. Tente de novo em 2 minutos."},
        {R"({"tenteNovamenteEm":60})", "", "Muitas tentativas seguidas. Tente de novo em 1 minuto."},
        {R"({"tenteNovamenteEm":30.0})", "", "Muitas tentativas seguidas. Tente de novo em 30 segundos."},
        // The wait wins over the server's own message when it can be read.
        {R"({"tenteNovamenteEm":45})", "Calma aí.", "Muitas tentativas seguidas. Tente de novo em 45 segundos."},
        // Otherwise the message, or the status rule.
        {R"({"tenteNovamenteEm":"30"})", "Calma aí.", "Calma aí."},
        {R"({"tenteNovamenteEm":2.5})", "Calma aí.", "Calma aí."},
        {R"({"tenteNovamenteEm":2.5})", "", "Não deu certo. Tente de novo."},
        {R"({"tenteNovamenteEm":null})", "", "Não deu certo. Tente de novo."},
        {R"({"tenteNovamenteEm":true})", "", "Não deu certo. Tente de novo."},
        {R"({"outra":5})", "", "Não deu certo. Tente de novo."},
        {R"([{"tenteNovamenteEm":5}])", "", "Não deu certo. Tente de novo."},
        {"não é json", "", "Não deu certo. Tente de novo."},
        {"", "", "Não deu certo. Tente de novo."},
        {R"({"tenteNovamenteEm":1e300})", "", "Não deu certo. Tente de novo."},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.corpo.toStdString());
        EXPECT_EQ(servidor(429, "muitas-tentativas", caso.mensagem, caso.corpo).errorDescription(),
                  QString::fromUtf8(caso.texto));
    }
    // The wait is read only for this code.
    EXPECT_EQ(servidor(429, "outro", "", R"({"tenteNovamenteEm":5})").errorDescription(),
              QStringLiteral("Não deu certo. Tente de novo."));
    EXPECT_EQ(servidor(503, "muitas-tentativas", "", "<html/>").errorDescription(),
              QStringLiteral("Algo deu errado do nosso lado. Tente de novo em instantes."));
}

TEST(ErroDaAPI, FraseDeEsperaArredondaMinutosParaCima)
{
    const struct {
        qint64 segundos;
        const char *frase;
    } casos[] = {
        {0, "0 segundos"},    {1, "1 segundo"},    {2, "2 segundos"},   {59, "59 segundos"},
        {60, "1 minuto"},     {61, "2 minutos"},   {120, "2 minutos"},  {121, "3 minutos"},
        {3600, "60 minutos"}, {-5, "-5 segundos"}, {-1, "-1 segundos"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.segundos);
        EXPECT_EQ(ErroDaAPI::fraseDeEspera(caso.segundos), QString::fromUtf8(caso.frase));
    }
}

TEST(ErroDaAPI, EsperaEnormeNaoTransborda)
{
    const qint64 maximo = std::numeric_limits<qint64>::max();
    EXPECT_EQ(ErroDaAPI::fraseDeEspera(maximo), QString::number(maximo / 60 + 1) + QStringLiteral(" minutos"));
    EXPECT_EQ(ErroDaAPI::fraseDeEspera(std::numeric_limits<qint64>::min()),
              QString::number(std::numeric_limits<qint64>::min()) + QStringLiteral(" segundos"));
}
