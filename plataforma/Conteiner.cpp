#include "plataforma/Conteiner.h"

#include "plataforma/ArquivoAtomico.h"

#include <QDir>
#include <QFileInfo>

namespace Conteiner {

namespace {

QString pastaXDG(const char *variavel, const QString &padraoNaCasa)
{
    // The XDG rules say a relative value is invalid and must be ignored.
    const QString valor = qEnvironmentVariable(variavel);
    if (!valor.isEmpty() && QDir::isAbsolutePath(valor))
        return QDir::cleanPath(valor);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + padraoNaCasa);
}

bool grupoUtilizavel(const QString &grupo)
{
    return !grupo.isEmpty() && grupo != QLatin1String(".") && grupo != QLatin1String("..")
        && !grupo.contains(QLatin1Char('/')) && !grupo.contains(QChar(0));
}

std::optional<QString> subpasta(const QString &grupo, const QString &relativo)
{
    const auto raiz = pastaDoGrupo(grupo);
    if (!raiz)
        return std::nullopt;
    const QString caminho = *raiz + QLatin1Char('/') + relativo;
    if (!ArquivoAtomico::criarPastaProtegida(caminho))
        return std::nullopt;
    return caminho;
}

} // namespace

QString pastaDeDados()
{
    return pastaXDG("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

QString pastaDeConfiguracao()
{
    return pastaXDG("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

std::optional<QString> pastaDoGrupo(const QString &grupo)
{
    if (!grupoUtilizavel(grupo))
        return std::nullopt;
    const QString caminho = pastaDeDados() + QStringLiteral("/Group Containers/") + grupo;
    if (!ArquivoAtomico::criarPastaProtegida(caminho))
        return std::nullopt;
    return caminho;
}

std::optional<QString> suporteDoApp(const QString &grupo)
{
    return subpasta(grupo, QStringLiteral("Library/Application Support"));
}

std::optional<QString> preferencias(const QString &grupo)
{
    return subpasta(grupo, QStringLiteral("Library/Preferences"));
}

} // namespace Conteiner
