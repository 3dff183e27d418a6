// The signed-out window's texts that QML shows as they are, with those that name this machine
// already said of this computer.
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class TextosDaConta : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // The opening's tagline.
    Q_PROPERTY(QString lema READ lema CONSTANT)

public:
    using QObject::QObject;

    [[nodiscard]] static QString lema();
};
