// The vault window's own state: the section shown, the search text, the item being edited and
// whether the re-sign-in sheet is up. Every return to the vault window starts a new one, on the
// codes section with an empty search and no sheet.
#pragma once

#include "state/EstadoDoApp.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

class JanelaDoCofre : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // The section chosen in the sidebar ("codigos", "senhas", "notas"); empty when the sidebar
    // lost its selection.
    Q_PROPERTY(QString secao READ secao WRITE definirSecao NOTIFY secaoMudou)
    // The section as the window shows it: none reads as "codigos".
    Q_PROPERTY(QString secaoMostrada READ secaoMostrada NOTIFY secaoMudou)
    // Its row in the sidebar (0 for the codes).
    Q_PROPERTY(int posicaoMostrada READ posicaoMostrada NOTIFY secaoMudou)
    Q_PROPERTY(QString busca READ busca WRITE definirBusca NOTIFY buscaMudou)
    // The editor sheet's subject, {tipo: "codigo" | "senha" | "nota", id: text or null}, or
    // undefined with no sheet.
    // With a state, the sheet is the state's (which closes it when the store goes); without one
    // the window keeps its own.
    Q_PROPERTY(QVariant edicao READ edicao NOTIFY edicaoMudou)
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    Q_PROPERTY(bool entrandoDeNovo READ entrandoDeNovo WRITE definirEntrandoDeNovo NOTIFY entrandoDeNovoMudou)
    // A sheet is up (the editor or the re-sign-in): the window's shortcuts and commands behind
    // it wait until it goes.
    Q_PROPERTY(bool folhaAberta READ folhaAberta NOTIFY folhaAbertaMudou)

public:
    explicit JanelaDoCofre(QObject *pai = nullptr);

    [[nodiscard]] QString secao() const { return secao_; }
    // A change of the section shown clears the search text.
    void definirSecao(const QString &secao);
    [[nodiscard]] QString secaoMostrada() const;
    [[nodiscard]] int posicaoMostrada() const;
    [[nodiscard]] QString busca() const { return busca_; }
    void definirBusca(const QString &busca);
    [[nodiscard]] QVariant edicao() const;
    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] bool entrandoDeNovo() const { return entrandoDeNovo_; }
    void definirEntrandoDeNovo(bool valor);
    [[nodiscard]] bool folhaAberta() const { return edicao().isValid() || entrandoDeNovo_; }

    // Opens the editor for a new item of the section shown.
    Q_INVOKABLE void novoItem();
    // Opens the editor for a new item of `tipo` ("codigo", "senha", "nota").
    Q_INVOKABLE void novoItemDoTipo(const QString &tipo);
    // Opens the editor for the item `id` of `tipo`.
    Q_INVOKABLE void editar(const QString &tipo, const QString &id);
    // The sheet was dismissed.
    Q_INVOKABLE void fecharEdicao();

signals:
    void secaoMudou();
    void buscaMudou();
    void edicaoMudou();
    void estadoMudou();
    void entrandoDeNovoMudou();
    void folhaAbertaMudou();

private:
    void definirEdicao(const QVariant &edicao);

    QString secao_;
    QString busca_;
    QVariant edicao_;
    QPointer<EstadoDoApp> estado_;
    bool entrandoDeNovo_ = false;
};
