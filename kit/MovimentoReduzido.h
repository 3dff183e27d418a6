// Whether the desktop asks for less motion: GNOME's "enable-animations" off or KDE's animation
// speed at zero. Decorative motion (the padlock's open-and-close cycle, showcase loops) stops
// while `ativo` is true. Read once at start; tests set it.
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

class QJSEngine;
class QQmlEngine;

class MovimentoReduzido : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool ativo READ ativo NOTIFY ativoMudou)

public:
    [[nodiscard]] static MovimentoReduzido &instancia();
    [[nodiscard]] static MovimentoReduzido *create(QQmlEngine *, QJSEngine *);

    [[nodiscard]] bool ativo() const { return ativo_; }
    void definir(bool ativo);
    // Reads the desktop's settings again.
    void lerDoSistema();

    // GNOME: the output of `gsettings get org.gnome.desktop.interface enable-animations`.
    [[nodiscard]] static std::optional<bool> deGnome(const QString &saida);
    // KDE: the [KDE] AnimationDurationFactor of kdeglobals (0 turns animations off).
    [[nodiscard]] static std::optional<bool> deKde(const QString &fator);

signals:
    void ativoMudou();

private:
    MovimentoReduzido();

    bool ativo_ = false;
};
