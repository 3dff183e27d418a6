#include "Presenca.h"

#include <QPointF>
#include <QQmlEngine>
#include <QQuickItem>

namespace {

// A containment mask that contains no point.
class MascaraVazia : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    Q_INVOKABLE bool contains(const QPointF &) const { return false; }
};

} // namespace

Presenca::Presenca(QObject *alvo)
    : QObject(alvo)
    , item_(qobject_cast<QQuickItem *>(alvo))
{
    if (!item_)
        return;
    connect(item_, &QQuickItem::opacityChanged, this, &Presenca::reavaliar);
    reavaliar();
}

Presenca *Presenca::qmlAttachedProperties(QObject *alvo)
{
    return new Presenca(alvo);
}

void Presenca::definirSaindo(bool saindo)
{
    if (saindo_ == saindo)
        return;
    saindo_ = saindo;
    if (!saindo_)
        saiuJa_ = false;
    if (item_)
        item_->setEnabled(!saindo_);
    emit saindoMudou();
    reavaliar();
}

bool Presenca::saindoOuDentroDeQuemSai(const QQuickItem *item)
{
    for (; item; item = item->parentItem()) {
        const auto *presenca = qobject_cast<Presenca *>(qmlAttachedPropertiesObject<Presenca>(item, false));
        if (presenca && presenca->saindo())
            return true;
    }
    return false;
}

void Presenca::reavaliar()
{
    if (!item_)
        return;
    const bool antes = recebeEntrada();
    const bool transparente = item_->opacity() < opacidadeMinima;
    if (transparente != transparente_) {
        transparente_ = transparente;
        if (transparente_) {
            if (!mascaraVazia_)
                mascaraVazia_ = new MascaraVazia(this);
            clipAnterior_ = item_->clip();
            mascaraAnterior_ = item_->containmentMask();
            item_->setContainmentMask(mascaraVazia_);
            item_->setClip(true);
        } else {
            item_->setClip(clipAnterior_);
            item_->setContainmentMask(mascaraAnterior_);
        }
    }
    if (antes != recebeEntrada())
        emit recebeEntradaMudou();
    if (saindo_ && transparente_ && !saiuJa_) {
        // Announced on the next turn, so a handler may destroy the item or unload it safely.
        saiuJa_ = true;
        QMetaObject::invokeMethod(this, &Presenca::talvezTerSaido, Qt::QueuedConnection);
    }
}

void Presenca::talvezTerSaido()
{
    if (saindo_ && transparente_)
        emit saiu();
    else
        saiuJa_ = false;
}

#include "Presenca.moc"
