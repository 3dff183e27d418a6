// The rules of the sync views as their QML reads them: which state the sidebar's status line
// shows, its idle text for a moment, the unreadable-items banner's title, the toast after
// signing in again, and the automatic sync loop's decision at each wake-up.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimeZone>
#include <QtQml/qqmlregistration.h>

#include <chrono>
#include <optional>

class RegrasDaSincronia : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // The loop sleeps this long between passes; the status line's timeline ticks this often.
    static constexpr std::chrono::seconds periodoDoLaco{20};
    static constexpr std::chrono::seconds periodoDaLinha{15};

    // "sessaoEncerrada", "semConexao", "falhou" or "ocioso": the first that holds, in this order.
    [[nodiscard]] Q_INVOKABLE static QString estadoDaLinha(bool precisaEntrarDeNovo, bool semConexao, bool falhou);

    // Whether the line's change from state `de` to `para` moves on its spring: changes of the
    // ended session and of the failure do, the offline flag's alone do not.
    [[nodiscard]] Q_INVOKABLE static bool trocaAnimada(const QString &de, const QString &para);

    // The idle line at `agora` for the last successful sync (none: never synced). A sync an hour
    // or more ago gives its clock time, and also its date when it was before today in `fuso`.
    [[nodiscard]] static QString textoDaUltimaSincronia(const std::optional<QDateTime> &ultima, const QDateTime &agora,
                                                        const QTimeZone &fuso = QTimeZone::systemTimeZone());

    // A text that names the Mac, as this computer says it.
    [[nodiscard]] Q_INVOKABLE static QString noComputador(const QString &doMac);

    // "1 item ainda não abriu neste computador" or "<n> itens ainda não abriram neste computador".
    [[nodiscard]] Q_INVOKABLE static QString tituloDosIlegiveis(int total);

    // What the re-sign-in sheet says on success: "Sincronizado" only when the store's last sync
    // advanced and no failure flag is up afterwards; otherwise the neutral sentence.
    struct AvisoDeEntrada {
        QString texto;
        QString simbolo;

        friend bool operator==(const AvisoDeEntrada &, const AvisoDeEntrada &) = default;
    };
    [[nodiscard]] static AvisoDeEntrada avisoAoEntrarDeNovo(const std::optional<QDateTime> &antes,
                                                           const std::optional<QDateTime> &depois, bool semConexao,
                                                           bool falhou);

    // The loop's decision at a wake-up: end (cancelled, or the store is no longer the state's
    // open one), sync, or sleep again without a request (the application is in the background).
    enum class Passo { encerrar, sincronizar, esperar };
    [[nodiscard]] static Passo passoDoLaco(bool cancelado, bool cofreAtual, bool emPrimeiroPlano);
};
