// The one way secrets reach the clipboard: the text with the marker clipboard managers honour
// ("x-kde-passwordManagerHint" = "secret", so they do not record it), wiped 30 seconds later
// unless anything else was copied meanwhile. Only the clipboard proper is ever written, never the
// X11/Wayland primary selection. Main thread.
#pragma once

#include "app/servicos/Relogio.h"

#include <QClipboard>
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <functional>

class AreaDeTransferencia : public QObject {
    Q_OBJECT
    // Grows by one with every change of the clipboard, ours or anyone's.
    Q_PROPERTY(qint64 contagemDeMudancas READ contagemDeMudancas NOTIFY contagemDeMudancasMudou)

public:
    static constexpr std::chrono::seconds prazo{30};
    static constexpr const char *tipoDaMarca = "x-kde-passwordManagerHint";

    // Over `area` (the application's clipboard when null), timing the wipe on `relogio` (tests
    // step theirs by hand).
    explicit AreaDeTransferencia(QClipboard *area = nullptr, Relogio &relogio = Relogio::doSistema(),
                                 QObject *pai = nullptr);

    // Replaces the clipboard's content with `texto` and the marker, and schedules the wipe: after
    // 30 seconds the clipboard is cleared when nobody has changed it since. An empty text is
    // copied the same way.
    Q_INVOKABLE void copiarProtegido(const QString &texto);

    [[nodiscard]] qint64 contagemDeMudancas() const { return contagemDeMudancas_; }

    // The application's instance (created on first use, over the application's clipboard).
    [[nodiscard]] static AreaDeTransferencia &doProcesso();

signals:
    void contagemDeMudancasMudou();

private:
    void mudou(QClipboard::Mode modo);
    void apagarSeIgual(qint64 contagem, bool eraDona);

    QPointer<QClipboard> area_;
    Relogio &relogio_;
    qint64 contagemDeMudancas_ = 0;
};

// The process's concealed copy (AreaDeTransferencia::doProcesso).
void copiarProtegido(const QString &texto);
