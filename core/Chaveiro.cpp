#include "core/Chaveiro.h"

#include "core/Configuracao.h"

namespace Chaveiro {

ConsultaDeSegredo consulta(const QString &conta)
{
    ConsultaDeSegredo resultado{QString::fromLatin1(servico), conta, std::nullopt};
    const QString grupo = grupoDoChaveiro();
    if (!grupo.isEmpty() && !grupo.startsWith(QLatin1Char('$')))
        resultado.grupo = grupo;
    return resultado;
}

LeituraDeSegredo lerComSituacao(const QString &conta)
{
    return CofreDeSegredos::atual()->ler(consulta(conta));
}

std::optional<QByteArray> ler(const QString &conta)
{
    auto leitura = lerComSituacao(conta);
    if (leitura.situacao != SituacaoDoSegredo::presente)
        return std::nullopt;
    return std::move(leitura.bytes);
}

LeituraDeSegredo lerChaveDoCofreComSituacao()
{
    auto leitura = lerComSituacao(QLatin1String(contaDaChaveDoCofre));
    if (leitura.situacao == SituacaoDoSegredo::presente && leitura.bytes.size() != tamanhoDaChaveDoCofre)
        return LeituraDeSegredo::ausente();
    return leitura;
}

std::optional<QByteArray> lerChaveDoCofre()
{
    auto leitura = lerChaveDoCofreComSituacao();
    if (leitura.situacao != SituacaoDoSegredo::presente)
        return std::nullopt;
    return std::move(leitura.bytes);
}

void gravar(const QByteArray &bytes, const QString &conta)
{
    // One replacing write, not delete-then-add: a refused write must not lose the stored value.
    const std::int32_t status = CofreDeSegredos::atual()->gravar(consulta(conta), bytes);
    if (status != CofreDeSegredos::statusSucesso)
        throw ErroDoChaveiro::falha(status);
}

void apagar(const QString &conta)
{
    (void)CofreDeSegredos::atual()->apagar(consulta(conta));
}

} // namespace Chaveiro
