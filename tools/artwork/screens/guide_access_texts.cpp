// The parents' guide's section on playing without a mouse, in the five
// languages in the order of languageCodes: one sentence for each way in, as a
// therapist setting it up would want it. French puts a no-break space before
// : ; ? !
#include "tools/artwork/screens/guide.h"

namespace screenart {

namespace {

const GuideAccessTexts kAccess[5] = {
    {
        "Without a mouse",
        "Quillmead can be played without a mouse. A grown-up chooses the way once, with <code>--access</code> or "
        "in the file <code>~/.config/quillmead/access.conf</code> (on Windows "
        "<code>%APPDATA%\\Quillmead\\access.conf</code>), for example <code>access = switch1</code>; a mouse "
        "always keeps working as well.",
        {
            "<b>Keyboard</b> (<code>keys</code>, always on): <kbd>Tab</kbd> and <kbd>Shift</kbd>+<kbd>Tab</kbd> "
            "move a glowing frame from one thing to the next – the paints, the palette, every part of the picture, "
            "the arrows, the buttons – and <kbd>Space</kbd> clicks it.",
            "<b>Two switches</b> (<code>switch2</code>): the switch that sends <kbd>Space</kbd> steps through the "
            "groups and then through the items of the chosen group, the switch that sends <kbd>Enter</kbd> "
            "chooses; after each choice the scan goes back to the groups.",
            "<b>One switch</b> (<code>switch1</code>): the frame moves on by itself every 1.5 seconds "
            "(<code>scan-time</code>, 0.5 to 5 seconds); the switch that sends <kbd>Space</kbd> chooses the group "
            "and then the item, and a short pause after each choice prevents a second one by accident.",
            "<b>Dwell</b> (<code>dwell</code>), for a head pointer or eye gaze: resting the pointer on something "
            "for one second (<code>dwell-time</code>, 0.3 to 5 seconds) clicks it while a ring fills around the "
            "brush; to click the same thing again, move away and come back.",
        },
        "<code>reduced-motion = on</code> stops things growing under the pointer, the stars and the other "
        "movements. When the sounds are on, every step of the frame makes a soft tick.",
    },
    {
        "Ohne Maus",
        "Quillmead lässt sich auch ohne Maus spielen. Ein Erwachsener wählt die Art einmal aus, mit "
        "<code>--access</code> oder in der Datei <code>~/.config/quillmead/access.conf</code> (unter Windows "
        "<code>%APPDATA%\\Quillmead\\access.conf</code>), zum Beispiel <code>access = switch1</code>; die Maus "
        "funktioniert immer zusätzlich.",
        {
            "<b>Tastatur</b> (<code>keys</code>, immer eingeschaltet): <kbd>Tab</kbd> und "
            "<kbd>Umschalt</kbd>+<kbd>Tab</kbd> bewegen einen leuchtenden Rahmen von einem Ding zum nächsten – "
            "Farben, Palette, jeder Teil des Bildes, Pfeile, Knöpfe –, und die <kbd>Leertaste</kbd> klickt darauf.",
            "<b>Zwei Taster</b> (<code>switch2</code>): Der Taster, der die <kbd>Leertaste</kbd> sendet, geht die "
            "Gruppen und dann die Dinge der gewählten Gruppe der Reihe nach durch, der Taster, der "
            "<kbd>Enter</kbd> sendet, wählt aus; nach jeder Wahl beginnt der Durchlauf wieder bei den Gruppen.",
            "<b>Ein Taster</b> (<code>switch1</code>): Der Rahmen rückt alle 1,5 Sekunden von selbst weiter "
            "(<code>scan-time</code>, 0.5 bis 5 Sekunden); der Taster, der die <kbd>Leertaste</kbd> sendet, wählt "
            "erst die Gruppe, dann das Ding, und eine kurze Pause nach jeder Wahl verhindert eine zweite aus "
            "Versehen.",
            "<b>Verweilen</b> (<code>dwell</code>), für Kopfmaus oder Augensteuerung: Bleibt der Zeiger eine "
            "Sekunde (<code>dwell-time</code>, 0.3 bis 5 Sekunden) auf einem Ding, wird es angeklickt, während "
            "sich ein Ring um den Pinsel füllt; um dasselbe noch einmal zu klicken, den Zeiger kurz wegbewegen "
            "und zurückkehren.",
        },
        "<code>reduced-motion = on</code> schaltet das Wachsen unter dem Zeiger, die Sterne und die anderen "
        "Bewegungen ab. Sind die Geräusche an, macht jeder Schritt des Rahmens ein leises Ticken.",
    },
    {
        "Sin ratón",
        "Quillmead también se puede usar sin ratón. Una persona adulta elige el modo una sola vez, con "
        "<code>--access</code> o en el archivo <code>~/.config/quillmead/access.conf</code> (en Windows "
        "<code>%APPDATA%\\Quillmead\\access.conf</code>), por ejemplo <code>access = switch1</code>; el ratón "
        "sigue funcionando siempre.",
        {
            "<b>Teclado</b> (<code>keys</code>, siempre activo): <kbd>Tab</kbd> y <kbd>Mayús</kbd>+<kbd>Tab</kbd> "
            "llevan un marco luminoso de una cosa a la siguiente – las pinturas, la paleta, cada parte del dibujo, "
            "las flechas, los botones – y la <kbd>barra espaciadora</kbd> hace clic en ella.",
            "<b>Dos pulsadores</b> (<code>switch2</code>): el pulsador que envía <kbd>Espacio</kbd> recorre los "
            "grupos y después los elementos del grupo elegido, y el que envía <kbd>Intro</kbd> elige; tras cada "
            "elección el recorrido vuelve a los grupos.",
            "<b>Un pulsador</b> (<code>switch1</code>): el marco avanza solo cada 1,5 segundos "
            "(<code>scan-time</code>, de 0.5 a 5 segundos); el pulsador que envía <kbd>Espacio</kbd> elige primero "
            "el grupo y luego el elemento, y una breve pausa tras cada elección evita elegir dos veces sin querer.",
            "<b>Permanencia</b> (<code>dwell</code>), para ratón de cabeza o control con la mirada: dejar el "
            "puntero quieto sobre algo durante un segundo (<code>dwell-time</code>, de 0.3 a 5 segundos) hace clic "
            "mientras un anillo se llena alrededor del pincel; para volver a hacer clic en lo mismo, hay que salir "
            "y volver.",
        },
        "<code>reduced-motion = on</code> quita el crecer bajo el puntero, las estrellas y los demás movimientos. "
        "Con los sonidos activados, cada paso del marco suena con un tic suave.",
    },
    {
        "Без мыши",
        "В Quillmead можно играть и без мыши. Взрослый один раз выбирает способ – параметром "
        "<code>--access</code> или в файле <code>~/.config/quillmead/access.conf</code> (в Windows "
        "<code>%APPDATA%\\Quillmead\\access.conf</code>), например <code>access = switch1</code>; мышь при этом "
        "всегда тоже работает.",
        {
            "<b>Клавиатура</b> (<code>keys</code>, включена всегда): <kbd>Tab</kbd> и "
            "<kbd>Shift</kbd>+<kbd>Tab</kbd> переводят светящуюся рамку с одного предмета на другой – краски, "
            "палитра, каждая часть рисунка, стрелки, кнопки, – а <kbd>Пробел</kbd> нажимает на него.",
            "<b>Две кнопки</b> (<code>switch2</code>): кнопка, посылающая <kbd>Пробел</kbd>, перебирает группы, "
            "а затем предметы выбранной группы, кнопка, посылающая <kbd>Enter</kbd>, выбирает; после каждого "
            "выбора перебор снова начинается с групп.",
            "<b>Одна кнопка</b> (<code>switch1</code>): рамка сама переходит дальше каждые 1,5 секунды "
            "(<code>scan-time</code>, от 0.5 до 5 секунд); кнопка, посылающая <kbd>Пробел</kbd>, выбирает сначала "
            "группу, потом предмет, а короткая пауза после выбора не даёт случайно выбрать второй раз.",
            "<b>Задержка</b> (<code>dwell</code>) – для головной мыши или управления взглядом: если указатель "
            "задержится на предмете одну секунду (<code>dwell-time</code>, от 0.3 до 5 секунд), это считается "
            "нажатием, а вокруг кисти тем временем заполняется кольцо; чтобы нажать на тот же предмет ещё раз, "
            "нужно увести указатель и вернуть его.",
        },
        "<code>reduced-motion = on</code> отключает увеличение под указателем, звёздочки и другие движения. "
        "Когда звуки включены, каждый шаг рамки сопровождается тихим щелчком.",
    },
    {
        "Sans souris",
        "On peut jouer à Quillmead sans souris. Un adulte choisit la façon une fois pour toutes, avec "
        "<code>--access</code> ou dans le fichier <code>~/.config/quillmead/access.conf</code> (sous Windows "
        "<code>%APPDATA%\\Quillmead\\access.conf</code>), par exemple <code>access = switch1</code>&nbsp;; la "
        "souris reste toujours utilisable.",
        {
            "<b>Clavier</b> (<code>keys</code>, toujours actif)&nbsp;: <kbd>Tab</kbd> et "
            "<kbd>Maj</kbd>+<kbd>Tab</kbd> déplacent un cadre lumineux d’un élément au suivant – les peintures, "
            "la palette, chaque partie du dessin, les flèches, les boutons – et la <kbd>barre d’espace</kbd> "
            "clique dessus.",
            "<b>Deux contacteurs</b> (<code>switch2</code>)&nbsp;: le contacteur qui envoie <kbd>Espace</kbd> "
            "parcourt les groupes, puis les éléments du groupe choisi, celui qui envoie <kbd>Entrée</kbd> "
            "choisit&nbsp;; après chaque choix, le parcours revient aux groupes.",
            "<b>Un contacteur</b> (<code>switch1</code>)&nbsp;: le cadre avance tout seul toutes les "
            "1,5&nbsp;secondes (<code>scan-time</code>, de 0.5 à 5&nbsp;secondes)&nbsp;; le contacteur qui envoie "
            "<kbd>Espace</kbd> choisit d’abord le groupe, puis l’élément, et une courte pause après chaque choix "
            "évite d’en faire un second par mégarde.",
            "<b>Pointage prolongé</b> (<code>dwell</code>), pour une souris de tête ou un suivi du regard&nbsp;: "
            "laisser le pointeur une seconde sur un élément (<code>dwell-time</code>, de 0.3 à 5&nbsp;secondes) "
            "clique dessus pendant qu’un anneau se remplit autour du pinceau&nbsp;; pour cliquer à nouveau sur le "
            "même élément, il faut s’en éloigner puis revenir.",
        },
        "<code>reduced-motion = on</code> supprime le grossissement sous le pointeur, les étoiles et les autres "
        "mouvements. Quand les sons sont activés, chaque pas du cadre fait un petit tic discret.",
    },
};

}  // namespace

const GuideAccessTexts& guideAccessTexts(int language) { return kAccess[language]; }

}  // namespace screenart
