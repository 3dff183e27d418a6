import QtQuick
import Corvane.App
Rectangle {
    color: Paleta.fundo
    IconeDaMarca { x: 500; y: 300; tamanho: 34; estilo: EstiloDaMarca.Azul; animando: true; abrindoEFechando: true; passo: 50 }
}
