// The rules of the password and note sections: how a hidden value is masked, which site texts
// become links (only web addresses: anything else stays plain text), the one copy sequence of a
// field, and the opening of a site in the browser.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

class CentralDeAvisos;

// A site row: the text as stored and, when it is a web address, the address the link opens
// (empty otherwise, the row then being plain text).
struct SiteDaSenha {
    QString texto;
    QUrl endereco;

    [[nodiscard]] bool link() const { return !endereco.isEmpty(); }
    friend bool operator==(const SiteDaSenha &, const SiteDaSenha &) = default;
};

class RegrasDasSenhas : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // The empty states' texts, as this computer says them.
    Q_PROPERTY(QString textoSemSenhas READ textoSemSenhas CONSTANT)
    Q_PROPERTY(QString textoSemNotas READ textoSemNotas CONSTANT)

public:
    using QObject::QObject;

    static constexpr int mascaraMinima = 8;
    static constexpr int mascaraMaxima = 16;

    [[nodiscard]] static QString textoSemSenhas();
    [[nodiscard]] static QString textoSemNotas();

    // "•" once per character of `valor`, at least 8 and at most 16 times: the mask says
    // nothing about the value beyond a rough length.
    [[nodiscard]] Q_INVOKABLE static QString mascara(const QString &valor);

    // The row of a site text: a text with "://" is taken as it is, anything else as a host
    // behind "https://". Nothing for a blank text or one that does not parse as a URL; a link
    // only for http and https with a host, so a synced "file://" or custom scheme never opens a
    // local file or starts another program.
    [[nodiscard]] static std::optional<SiteDaSenha> site(const QString &texto);
    [[nodiscard]] static QList<SiteDaSenha> sites(const QStringList &textos);
    // The same rows for QML, as {texto, link, endereco}.
    [[nodiscard]] Q_INVOKABLE static QVariantList linhasDosSites(const QStringList &textos);

    // Copies `valor` concealed, counts the copy and shows `aviso`; an empty value copies nothing
    // and shows nothing, so the user's clipboard stays. Gives whether it copied.
    Q_INVOKABLE static bool copiar(const QString &valor, const QString &aviso, CentralDeAvisos *avisos);

    // Opens the site's address in the browser when the text forms a link; gives whether it did.
    Q_INVOKABLE static bool abrirSite(const QString &texto);
    // What opens an address (the system's browser by default); tests put a recorder here. An
    // empty function restores the default.
    static void usarAbridor(std::function<void(const QUrl &)> abridor);
};
