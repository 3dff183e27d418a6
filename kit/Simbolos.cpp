#include "kit/Simbolos.h"

#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace simbolos {

namespace {

struct Entrada {
    const char *nome;
    // Adwaita symbolic icon (context/name, without "-symbolic.svg"); null: our own drawing.
    const char *adwaita;
};

constexpr Entrada tabela[] = {
    {"apple.logo", nullptr},
    {"arrow.down.circle", nullptr},
    {"arrow.down.circle.fill", nullptr},
    {"arrow.triangle.2.circlepath", "emblems/emblem-synchronizing"},
    {"arrow.up", "actions/go-up"},
    {"arrow.up.forward.square", nullptr},
    {"arrow.up.right.square", nullptr},
    {"checkmark.circle.fill", nullptr},
    {"checkmark.icloud", nullptr},
    {"checkmark.icloud.fill", nullptr},
    {"chevron.left", "actions/go-previous"},
    {"chevron.up.chevron.down", nullptr},
    {"circle", nullptr},
    {"circle.grid.3x3", nullptr},
    {"doc.on.clipboard", "actions/edit-paste"},
    {"doc.on.doc", "actions/edit-copy"},
    {"ellipsis", "actions/view-more-horizontal"},
    {"exclamationmark.arrow.triangle.2.circlepath", nullptr},
    {"eye", "actions/view-reveal"},
    {"eye.slash", "actions/view-conceal"},
    {"faceid", nullptr},
    {"folder", "places/folder"},
    {"gift", nullptr},
    {"info.circle.fill", nullptr},
    {"key", nullptr},
    {"key.fill", nullptr},
    {"key.viewfinder", nullptr},
    {"lock", "status/system-lock-screen"},
    {"lock.shield", nullptr},
    {"magnifyingglass", "actions/edit-find"},
    {"note.text", "mimetypes/text-x-generic"},
    {"number", nullptr},
    {"number.square", nullptr},
    {"opticid", "actions/view-reveal"},
    {"person.badge.key.fill", nullptr},
    {"person.crop.circle.badge.exclamationmark", nullptr},
    {"person.crop.circle.badge.questionmark", nullptr},
    {"photo", "mimetypes/image-x-generic"},
    {"plus", "actions/list-add"},
    {"plus.circle.fill", nullptr},
    {"qrcode.viewfinder", nullptr},
    {"star.fill", "status/starred"},
    {"touchid", "devices/auth-fingerprint"},
    {"wifi.slash", "status/network-wireless-offline"},
    {"xmark.circle.fill", nullptr},
};

QString doTema(const char *icone)
{
    const QString relativo = QStringLiteral("icons/Adwaita/scalable/%1-symbolic.svg").arg(QLatin1String(icone));
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, relativo);
}

} // namespace

QString arquivo(const QString &nome)
{
    static QHash<QString, QString> resolvidos;
    if (const auto achado = resolvidos.constFind(nome); achado != resolvidos.cend())
        return *achado;
    QString caminho;
    for (const Entrada &entrada : tabela) {
        if (nome != QLatin1String(entrada.nome))
            continue;
        caminho = entrada.adwaita ? doTema(entrada.adwaita)
                                  : QStringLiteral(":/Corvane/App/simbolos/%1.svg").arg(nome);
        break;
    }
    resolvidos.insert(nome, caminho);
    return caminho;
}

QStringList nomes()
{
    QStringList lista;
    for (const Entrada &entrada : tabela)
        lista << QLatin1String(entrada.nome);
    return lista;
}

} // namespace simbolos
