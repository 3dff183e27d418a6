// What the vault window's screen tests share: on a computer left signed in, with the AutoFill
// store switched off, the central state opened through its start routine, a fake owner check,
// and the vault window shown over them.
#pragma once

#include "screens/vault/SituacaoDoPreenchimento.h"
#include "support/quick/TelaComConta.h"

#include <QQuickItem>

#include <memory>

class CofreNaTela : public TelaComConta {
protected:
    void SetUp() override;
    void completarInfo(QVariantMap &info) override;
    void soltar() override { preenchimento.reset(); }

    // A code item; `segredo` defaults to RFC 6238's SHA-1 key.
    static ObjetoJSON codigo(const QString &emissor, const QString &conta, bool favorito = false,
                             const QString &segredo = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"));
    // Starts the state (app protection off), waits for the first sync and shows the vault
    // window in a window of `tamanho`.
    QQuickItem *abrir(QSize tamanho = QSize(1040, 680));

    // The ids of the code cards shown, in order.
    QStringList idsNaGrade();
    void clicar(QQuickItem *alvo, Qt::MouseButton botao = Qt::LeftButton);
    void passarPor(QQuickItem *alvo);

    std::unique_ptr<SituacaoDoPreenchimento> preenchimento;
    bool donoConfirma = true;
    QStringList motivos;
};
