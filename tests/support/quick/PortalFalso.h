// A stand-in for the desktop portals on a private D-Bus daemon of the test's own: the
// screenshot portal, the file chooser and the permission store, answering what the test sets.
// The program under test talks to it over the real bus, as it would to xdg-desktop-portal.
#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <functional>
#include <optional>

// Makes `pasta` the user's Pictures folder for QStandardPaths (through user-dirs.dirs in the
// configuration folder of XDG_CONFIG_HOME, which the test has made its own), and creates it.
void definirPastaDeImagens(const QString &configuracao, const QString &pasta);

// A session bus daemon with no services to start: a name nobody owns stays unanswered.
class BarramentoPrivado {
public:
    BarramentoPrivado();
    ~BarramentoPrivado();
    BarramentoPrivado(const BarramentoPrivado &) = delete;
    BarramentoPrivado &operator=(const BarramentoPrivado &) = delete;

    [[nodiscard]] bool pronto() const { return !endereco_.isEmpty(); }
    // A new connection to it under `nome` (unique per process).
    [[nodiscard]] QDBusConnection conectar(const QString &nome) const;

private:
    QTemporaryDir pasta_;
    QProcess daemon_;
    QString endereco_;
};

// No Q_OBJECT: it has no signals or slots of its own.
class PortalFalso : public QDBusVirtualObject {
public:
    struct Pedido {
        QString interface;
        QString metodo;
        QList<QVariant> argumentos;
        QVariantMap opcoes;
        // How many of the program's windows were shown when the request came.
        int janelasVisiveis = 0;
    };

    // Takes the portal's names on `barramento`; `comArmazem` also the permission store's.
    explicit PortalFalso(QDBusConnection barramento, bool comArmazem = true);
    ~PortalFalso() override;

    // The next screenshot answer: `codigo` and, when `imagem` is not null, a file holding it.
    void responderCaptura(uint codigo, const QImage &imagem = {});
    // The next file chooser answer: `codigo` and the chosen files.
    void responderArquivo(uint codigo, const QStringList &arquivos = {});
    // The permission store's entries for ("screenshot", "screenshot"); none: not found.
    void definirPermissoes(const QMap<QString, QStringList> &entradas) { permissoes_ = entradas; }

    [[nodiscard]] const QList<Pedido> &pedidos() const { return pedidos_; }
    // The screenshot files handed out, to check that the program removed them.
    [[nodiscard]] const QStringList &arquivosEntregues() const { return entregues_; }

    [[nodiscard]] QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &mensagem, const QDBusConnection &conexao) override;

private:
    void responderDepois(const QDBusMessage &mensagem, uint codigo, const QVariantMap &resultados);

    QDBusConnection barramento_;
    QTemporaryDir pasta_;
    uint codigoDaCaptura_ = 2;
    QImage imagemDaCaptura_;
    uint codigoDoArquivo_ = 2;
    QStringList arquivos_;
    QMap<QString, QStringList> permissoes_;
    QList<Pedido> pedidos_;
    QStringList entregues_;
    bool comArmazem_;
};
