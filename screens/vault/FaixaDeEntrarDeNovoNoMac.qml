// The banner of an ended session: sign in again so that syncing resumes.
import QtQuick
import Corvane.Cofre

CartaoDaFaixaNoMac {
    id: faixa

    signal entrarDeNovo()

    simbolo: "arrow.triangle.2.circlepath"
    titulo: "Entre de novo para sincronizar"
    corpo: RegrasDaSincronia.noComputador(
        "O que você salvou em outros aparelhos só aparece aqui depois disso. Seus itens deste Mac continuam aqui.")
    rotuloDoBotao: "Entrar"
    onAcionado: faixa.entrarDeNovo()
}
