#include "support/DiretorioTemporario.h"

#include <QtGlobal>

namespace {

std::optional<QByteArray> valorAtual(const char *nome)
{
    return qEnvironmentVariableIsSet(nome) ? std::optional(qgetenv(nome)) : std::nullopt;
}

void restaurar(const char *nome, const std::optional<QByteArray> &valor)
{
    if (valor)
        qputenv(nome, *valor);
    else
        qunsetenv(nome);
}

} // namespace

DiretorioTemporario::DiretorioTemporario()
    : dadosAntes_(valorAtual("XDG_DATA_HOME")), configuracaoAntes_(valorAtual("XDG_CONFIG_HOME"))
{
    qputenv("XDG_DATA_HOME", dados().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configuracao().toLocal8Bit());
}

DiretorioTemporario::~DiretorioTemporario()
{
    restaurar("XDG_DATA_HOME", dadosAntes_);
    restaurar("XDG_CONFIG_HOME", configuracaoAntes_);
}
