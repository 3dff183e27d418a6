// What a service icon draws for an item's name, hints and chosen service: the catalogue
// service's mark on its brand colour (with an outline when the colour is light), or a monogram.
#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

struct Servico;

class AparenciaDoServico : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString nome MEMBER nome_ NOTIFY mudou)
    Q_PROPERTY(QStringList dicas MEMBER dicas_ NOTIFY mudou)
    // Empty: none chosen.
    Q_PROPERTY(QString escolhido MEMBER escolhido_ NOTIFY mudou)

    Q_PROPERTY(bool encontrado READ encontrado NOTIFY mudou)
    Q_PROPERTY(QString idDoServico READ idDoServico NOTIFY mudou)
    Q_PROPERTY(QString texto READ texto NOTIFY mudou)
    Q_PROPERTY(QColor corDeFundo READ corDeFundo NOTIFY mudou)
    Q_PROPERTY(QColor corDoTexto READ corDoTexto NOTIFY mudou)
    Q_PROPERTY(bool contorno READ contorno NOTIFY mudou)

public:
    explicit AparenciaDoServico(QObject *parent = nullptr);

    [[nodiscard]] bool encontrado() const { return servico() != nullptr; }
    [[nodiscard]] QString idDoServico() const;
    // The service's mark, or the monogram's letter.
    [[nodiscard]] QString texto() const;
    [[nodiscard]] QColor corDeFundo() const;
    [[nodiscard]] QColor corDoTexto() const;
    // Only a light brand colour gets the outline.
    [[nodiscard]] bool contorno() const;

signals:
    void mudou();

private:
    [[nodiscard]] const Servico *servico() const;

    QString nome_;
    QStringList dicas_;
    QString escolhido_;
};
