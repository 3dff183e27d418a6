// Whether an item may take pointer input: an item that is leaving (`Presenca.saindo`) or that is
// transparent (its opacity under `opacidadeMinima`) takes none, so clicks, hovers and wheels
// reach what is under it. Every overlay, sheet, banner, toast and transition attaches it:
//
//     Item { Presenca.saindo: !mostrada; Presenca.onSaiu: destroy() }
//
// Leaving disables the item (its own `enabled` is then the attached object's to set, and a
// leaving item also gives up the keyboard). Transparent only, it keeps its enabled state and
// its focus (an arriving screen's field may take the caret before it fades in): it clips to an
// empty shape instead, which hit testing honours for the item and all its children.
// `saiu` comes once the item is leaving and fully transparent, also when it never became
// visible (an exit requested before the entrance's first frame moves no opacity).
#pragma once

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class QQuickItem;

class Presenca : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Presenca is an attached property")
    QML_ATTACHED(Presenca)
    Q_PROPERTY(bool saindo READ saindo WRITE definirSaindo NOTIFY saindoMudou)
    Q_PROPERTY(bool recebeEntrada READ recebeEntrada NOTIFY recebeEntradaMudou)

public:
    static constexpr double opacidadeMinima = 0.02;

    explicit Presenca(QObject *alvo);
    [[nodiscard]] static Presenca *qmlAttachedProperties(QObject *alvo);

    [[nodiscard]] bool saindo() const { return saindo_; }
    void definirSaindo(bool saindo);
    [[nodiscard]] bool recebeEntrada() const { return !saindo_ && !transparente_; }

    // True when `item` or one of its ancestors is leaving under this mechanism.
    [[nodiscard]] static bool saindoOuDentroDeQuemSai(const QQuickItem *item);

signals:
    void saindoMudou();
    void recebeEntradaMudou();
    void saiu();

private:
    void reavaliar();
    void talvezTerSaido();

    QPointer<QQuickItem> item_;
    bool saindo_ = false;
    bool transparente_ = false;
    bool saiuJa_ = false;
    // What the item had before it was clipped away.
    bool clipAnterior_ = false;
    QPointer<QObject> mascaraAnterior_;
    QObject *mascaraVazia_ = nullptr;
};
