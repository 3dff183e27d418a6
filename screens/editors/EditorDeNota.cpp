#include "EditorDeNota.h"

ModeloDoEditorDeNota::ModeloDoEditorDeNota(QObject *pai) : ModeloDoEditor(pai)
{
    dados_ = DadosDeNota(QString(), QString(), false).json;
}

bool ModeloDoEditorDeNota::podeSalvar() const
{
    return !aparadoDeEspacos(titulo()).isEmpty() || !aparadoDeEspacos(texto()).isEmpty();
}

void ModeloDoEditorDeNota::prepararParaSalvar(ObjetoJSON &copia) const
{
    if (aparadoDeEspacos(copia.texto(QStringLiteral("titulo"))).isEmpty())
        copia.definir(QStringLiteral("titulo"), ValorJSON::texto(QStringLiteral("Nota")));
}
