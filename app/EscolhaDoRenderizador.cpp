#include "EscolhaDoRenderizador.h"

#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace EscolhaDoRenderizador {

Ambiente Ambiente::doSistema()
{
    Ambiente ambiente;
    ambiente.backendEscolhido = !qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") ||
                                !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND");
    ambiente.softwareForcado = qEnvironmentVariableIntValue("LIBGL_ALWAYS_SOFTWARE") == 1;
    ambiente.nosDeRenderizacao =
        QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files);
    return ambiente;
}

bool usarSoftware(const Ambiente &ambiente)
{
    if (ambiente.backendEscolhido)
        return false;
    return ambiente.softwareForcado || ambiente.nosDeRenderizacao.isEmpty();
}

void aplicar(const Ambiente &ambiente)
{
    if (usarSoftware(ambiente))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

} // namespace EscolhaDoRenderizador
