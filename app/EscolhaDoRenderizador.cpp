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

void usarRenderizadorDeSoftware()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME"))
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "16");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void aplicar(const Ambiente &ambiente)
{
    if (usarSoftware(ambiente))
        usarRenderizadorDeSoftware();
}

} // namespace EscolhaDoRenderizador
