#include "app/AreaDeTransferencia.h"

#include <QGuiApplication>
#include <QMimeData>

AreaDeTransferencia::AreaDeTransferencia(QClipboard *area, Relogio &relogio, QObject *pai)
    : QObject(pai), area_(area ? area : QGuiApplication::clipboard()), relogio_(relogio)
{
    // Every change of the clipboard proper counts: our copies and anyone else's (the platform
    // reports a lost ownership as a change too). The selection's changes are not ours to count.
    if (area_)
        connect(area_, &QClipboard::changed, this, &AreaDeTransferencia::mudou);
}

void AreaDeTransferencia::mudou(QClipboard::Mode modo)
{
    if (modo != QClipboard::Clipboard)
        return;
    ++contagemDeMudancas_;
    emit contagemDeMudancasMudou();
}

void AreaDeTransferencia::copiarProtegido(const QString &texto)
{
    if (!area_)
        return;
    auto *dados = new QMimeData;
    dados->setText(texto);
    dados->setData(QString::fromLatin1(tipoDaMarca), QByteArrayLiteral("secret"));
    // Replaces the whole content at once (no separate clear: a manager might record the gap).
    area_->setMimeData(dados, QClipboard::Clipboard);
    // Some platforms tell when another program takes the clipboard only by ownership.
    const bool dona = area_->ownsClipboard();
    const qint64 contagem = contagemDeMudancas_;
    const QPointer<AreaDeTransferencia> viva(this);
    relogio_.depoisDe(prazo, this, [viva, contagem, dona] {
        if (viva)
            viva->apagarSeIgual(contagem, dona);
    });
}

void AreaDeTransferencia::apagarSeIgual(qint64 contagem, bool eraDona)
{
    if (!area_ || contagem != contagemDeMudancas_)
        return;
    if (eraDona && !area_->ownsClipboard())
        return;
    area_->clear(QClipboard::Clipboard);
}

AreaDeTransferencia &AreaDeTransferencia::doProcesso()
{
    static AreaDeTransferencia *instancia = new AreaDeTransferencia(nullptr, Relogio::doSistema(), QCoreApplication::instance());
    return *instancia;
}

void copiarProtegido(const QString &texto)
{
    AreaDeTransferencia::doProcesso().copiarProtegido(texto);
}
