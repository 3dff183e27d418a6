// The secure-note editor: title, text and the favourite flag; a blank title becomes "Nota" when
// saving.
#pragma once

#include "ModeloDoEditor.h"

class ModeloDoEditorDeNota : public ModeloDoEditor {
    Q_OBJECT
    QML_NAMED_ELEMENT(ModeloDoEditorDeNota)
    Q_PROPERTY(QString titulo READ titulo WRITE definirTitulo NOTIFY dadosMudou)
    Q_PROPERTY(QString texto READ texto WRITE definirTextoDaNota NOTIFY dadosMudou)

public:
    explicit ModeloDoEditorDeNota(QObject *pai = nullptr);

    [[nodiscard]] bool podeSalvar() const override;

    [[nodiscard]] QString titulo() const { return dados_.texto(QStringLiteral("titulo")); }
    void definirTitulo(const QString &valor) { definirTexto(QStringLiteral("titulo"), valor); }
    [[nodiscard]] QString texto() const { return dados_.texto(QStringLiteral("texto")); }
    void definirTextoDaNota(const QString &valor) { definirTexto(QStringLiteral("texto"), valor); }

protected:
    [[nodiscard]] TipoDeItem tipo() const override { return TipoDeItem::nota; }
    [[nodiscard]] QString tituloNovo() const override { return QStringLiteral("Nova nota"); }
    [[nodiscard]] QString tituloAoEditar() const override { return QStringLiteral("Editar nota"); }
    [[nodiscard]] QString textoSalvo() const override { return QStringLiteral("Nota salva"); }
    [[nodiscard]] QString textoAdicionado() const override { return QStringLiteral("Nota guardada"); }
    [[nodiscard]] QString textoApagado() const override { return QStringLiteral("Nota apagada"); }
    void prepararParaSalvar(ObjetoJSON &copia) const override;
};
