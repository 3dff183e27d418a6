// The banner of items this computer could not open: typing the account password opens them.
import QtQuick
import Corvane.Cofre

CartaoDaFaixaNoMac {
    id: faixa

    required property int total

    signal entrarDeNovo()

    simbolo: "key.viewfinder"
    titulo: RegrasDaSincronia.tituloDosIlegiveis(faixa.total)
    corpo: RegrasDaSincronia.noComputador(
        "Digite a senha do Corvane uma vez para o Mac abrir tudo o que está na sua conta.")
    rotuloDoBotao: "Digitar senha"
    onAcionado: faixa.entrarDeNovo()
}
