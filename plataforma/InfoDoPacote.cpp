#include "plataforma/InfoDoPacote.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>

namespace InfoDoPacote {
namespace {
QMutex trava;
std::optional<QVariantMap> substituto;
} // namespace

QVariantMap dicionario()
{
    {
        QMutexLocker guarda(&trava);
        if (substituto)
            return *substituto;
    }
    QFile arquivo(QStringLiteral(":/corvane/Info.json"));
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    const auto documento = QJsonDocument::fromJson(arquivo.readAll());
    return documento.isObject() ? documento.object().toVariantMap() : QVariantMap{};
}

void substituir(std::optional<QVariantMap> novo)
{
    QMutexLocker guarda(&trava);
    substituto = std::move(novo);
}

} // namespace InfoDoPacote
