// The one way secrets reach the clipboard: the text with the marker clipboard managers honour
// ("x-kde-passwordManagerHint" = "secret", so they do not record it), wiped 30 seconds later
// unless anything else was copied meanwhile. Only the clipboard proper is ever written, never the
// X11/Wayland primary selection. Main thread.
//
// "Anything else" is judged by content, not by change notifications: a Wayland compositor echoes
// our own selection back to us (a change notification for our own copy), so the wipe happens
// when the clipboard still holds the very data we put there. The 30 seconds are wall time: a
// computer suspended with a secret copied wipes it as soon as it wakes up.
#pragma once

#include "servicos/Relogio.h"

#include <QClipboard>
#include <QDateTime>
#include <QMimeData>
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>

class AreaDeTransferencia : public QObject {
    Q_OBJECT
    // Grows by one with every change of the clipboard, ours or anyone's (echoes included).
    Q_PROPERTY(qint64 contagemDeMudancas READ contagemDeMudancas NOTIFY contagemDeMudancasMudou)

public:
    static constexpr std::chrono::seconds prazo{30};
    // The wall-clock deadline is looked at this often, so a wake-up past it wipes at once.
    static constexpr std::chrono::seconds passo{1};
    static constexpr const char *tipoDaMarca = "x-kde-passwordManagerHint";

    // Over `area` (the application's clipboard when null), timing the wipe on `relogio` (tests
    // step theirs by hand).
    explicit AreaDeTransferencia(QClipboard *area = nullptr, Relogio &relogio = Relogio::doSistema(),
                                 QObject *pai = nullptr);

    // Replaces the clipboard's content with `texto` and the marker, and schedules the wipe: after
    // 30 seconds the clipboard is cleared when it still holds this copy. An empty text is copied
    // the same way.
    Q_INVOKABLE void copiarProtegido(const QString &texto);

    [[nodiscard]] qint64 contagemDeMudancas() const { return contagemDeMudancas_; }
    // Whether the clipboard still holds our last concealed copy (echoes of it included).
    [[nodiscard]] bool aindaENossa() const;

    // The application's instance (created on first use, over the application's clipboard).
    [[nodiscard]] static AreaDeTransferencia &doProcesso();

signals:
    void contagemDeMudancasMudou();

private:
    void mudou(QClipboard::Mode modo);
    void armar(std::chrono::milliseconds espera);
    void conferirPrazo();

    QPointer<QClipboard> area_;
    Relogio &relogio_;
    Contagem *contagem_;
    qint64 contagemDeMudancas_ = 0;
    // Our last copy while the clipboard holds it (the clipboard owns the data; null once it is
    // replaced by anyone, us included).
    QPointer<QMimeData> nossa_;
    bool eraDona_ = false;        // the platform reported ownership right after the copy
    QDateTime prazoFinal_;        // wall-clock deadline of the pending wipe
    // Time waited on the timer, so a wall clock set back cannot delay the wipe either.
    std::chrono::milliseconds decorrido_{0};
    std::chrono::milliseconds passoArmado_{0};
};

// The process's concealed copy (AreaDeTransferencia::doProcesso).
void copiarProtegido(const QString &texto);
