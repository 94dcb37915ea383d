// The words of the parents' guide in the five languages, in the order of
// languageCodes. French puts a no-break space before : ; ? ! and inside « ».
#include "tools/artwork/screens/guide.h"

namespace screenart {

namespace {

const GuideTexts kGuide[5] = {
    {
        "English",
        "Quillmead – a guide for parents",
        "Quillmead is a colouring book on the screen for young children: 21 pages of flowers and their "
        "friends, waiting for colour. A child does not need to read to play, and nothing gets lost: everything "
        "painted is kept for next time. Quillmead needs no internet connection.",
        "How a child plays",
        {
            "The brush follows the mouse.",
            "Click a paint jar to dip the brush in it, then click a part of the picture to fill it with that colour.",
            "A clean brush clicked on a painted part picks its colour up again.",
            "The palette has four wells for mixing. A brush with paint clicked on an empty well leaves its paint "
            "there; clicked on a full well, it mixes the two colours the way real paint mixes (yellow and blue make "
            "green) and takes the new colour. A clean brush takes the paint out of a well. The small clear drop "
            "beside a full well empties it; after a mix, a small coloured drop brings the old colour back.",
            "Click the glass of water to wash the brush clean.",
            "The arrows beside the book turn the pages; after the last page comes the first again.",
            "The back button (the curved arrow at the top) takes back the last colour, one step at a time. It "
            "appears as soon as something has been painted on the page.",
            "The clear button (the eraser at the top) makes the whole page white again, after asking first.",
            "The menu button (top left) opens the menu: sounds and music on or off, {about}, {clearall} (it asks "
            "first) and this guide.",
            "The help button (the question mark) shows the pictures that explain all this. The tick on that screen "
            "decides whether the help appears at every start.",
            "The close button (top right) asks {exit} and ends Quillmead when the answer is {ok}.",
        },
        "Keys",
        {
            {"<kbd>Esc</kbd>", "Leave Quillmead (it asks first; <kbd>Esc</kbd> again says no). On a question or in "
                               "the menu, <kbd>Esc</kbd> closes it."},
            {"<kbd>Return</kbd>", "Says yes to the question on the screen."},
            {"<kbd>F1</kbd>", "Help."},
            {"<kbd>←</kbd> <kbd>→</kbd>", "Turn the pages."},
        },
        "Where the paintings are kept",
        "Everything painted, the palette, the switches and the page shown last are kept in one file, {file}, in "
        "the folder named by <code>$XDG_DATA_HOME</code>, or in <code>~/.local/share</code> when that is not set. "
        "Quillmead writes it shortly after every change and once more when it ends. Opening this guide from the "
        "menu ends Quillmead too, after saving everything, so that the guide can be read.",
        "Starting afresh",
        "To clear the paintings only, choose {clearall} in the menu. To start completely afresh (paintings, "
        "palette and switches), end Quillmead first, then delete the file {file}, for example with "
        "<code>rm \"${XDG_DATA_HOME:-$HOME/.local/share}/velvadine_quillmead_cfg\"</code>. The next start is "
        "like the very first.",
        "Nothing leaves this computer",
        "Quillmead never opens a network connection: it collects nothing, shows no advertising and sends "
        "nothing anywhere. The paintings stay in the file named above and in the pictures you save yourself. "
        "The only thing that goes beyond Quillmead is this guide, which it hands to your browser when a grown-up "
        "chooses {parents} in the menu.",
        "Quillmead 1.0.0. Everything in it – the pictures, the music and the sounds – was made for it.",
        "“",
        "”",
    },
    {
        "Deutsch",
        "Quillmead – Hinweise für Eltern",
        "Quillmead ist ein Malbuch am Bildschirm für kleine Kinder: 21 Seiten mit Blumen und ihren "
        "Freunden, die auf Farbe warten. Lesen können muss man dazu nicht, und nichts geht verloren: Alles "
        "Gemalte wird für das nächste Mal aufbewahrt. Eine Internetverbindung braucht Quillmead nicht.",
        "So malt Ihr Kind",
        {
            "Der Pinsel folgt der Maus.",
            "Ein Klick auf ein Farbglas taucht den Pinsel ein; ein Klick auf einen Teil des Bildes füllt ihn "
            "mit dieser Farbe.",
            "Ein sauberer Pinsel nimmt die Farbe eines bemalten Teils wieder auf, wenn man damit darauf klickt.",
            "Die Palette hat vier Mulden zum Mischen. Ein Pinsel mit Farbe gibt sie in eine leere Mulde; in "
            "einer vollen Mulde mischt er beide Farben wie echte Malfarbe (Gelb und Blau ergeben Grün) und "
            "nimmt die neue Farbe auf. Ein sauberer Pinsel nimmt die Farbe aus einer Mulde. Der kleine klare "
            "Tropfen neben einer vollen Mulde leert sie; nach dem Mischen bringt ein kleiner farbiger Tropfen die "
            "alte Farbe zurück.",
            "Ein Klick auf das Wasserglas wäscht den Pinsel sauber.",
            "Die Pfeile neben dem Buch blättern um; nach der letzten Seite kommt wieder die erste.",
            "Der Zurück-Knopf (der gebogene Pfeil oben) nimmt die letzte Farbe zurück, Schritt für "
            "Schritt. Er erscheint, sobald auf der Seite etwas gemalt ist.",
            "Der Radier-Knopf (der Radiergummi oben) macht die ganze Seite wieder weiß – nach einer "
            "Rückfrage.",
            "Der Menü-Knopf (oben links) öffnet das Menü: Töne und Musik an oder aus, {about}, "
            "{clearall} (mit Rückfrage) und diese Hinweise.",
            "Der Hilfe-Knopf (das Fragezeichen) zeigt die Bilder, die all das erklären. Das Häkchen dort "
            "bestimmt, ob die Hilfe bei jedem Start erscheint.",
            "Der Schließen-Knopf (oben rechts) fragt {exit} und beendet Quillmead, wenn man {ok} antwortet.",
        },
        "Tasten",
        {
            {"<kbd>Esc</kbd>", "Quillmead verlassen (mit Rückfrage; ein zweites <kbd>Esc</kbd> sagt Nein). "
                               "Bei einer Frage oder im Menü schließt <kbd>Esc</kbd> sie."},
            {"<kbd>Eingabe</kbd>", "Beantwortet die Frage auf dem Bildschirm mit Ja."},
            {"<kbd>F1</kbd>", "Hilfe."},
            {"<kbd>←</kbd> <kbd>→</kbd>", "Umblättern."},
        },
        "Wo die Bilder aufbewahrt werden",
        "Alles Gemalte, die Palette, die Schalter und die zuletzt gezeigte Seite stehen in einer Datei, {file}, im "
        "Ordner <code>$XDG_DATA_HOME</code> oder, wenn dieser nicht gesetzt ist, in <code>~/.local/share</code>. "
        "Quillmead schreibt sie kurz nach jeder Änderung und noch einmal beim Beenden. Wer diese Hinweise aus "
        "dem Menü öffnet, beendet Quillmead damit ebenfalls; vorher wird alles gespeichert, damit man sie in "
        "Ruhe lesen kann.",
        "Neu anfangen",
        "Nur die Bilder wegwischen: {clearall} im Menü. Ganz von vorn anfangen (Bilder, Palette und Schalter): "
        "erst Quillmead beenden, dann die Datei {file} löschen, zum Beispiel mit "
        "<code>rm \"${XDG_DATA_HOME:-$HOME/.local/share}/velvadine_quillmead_cfg\"</code>. Der nächste Start "
        "ist dann wie der allererste.",
        "Nichts verlässt diesen Computer",
        "Quillmead baut nie eine Netzwerkverbindung auf: Es sammelt nichts, zeigt keine Werbung und schickt "
        "nichts irgendwohin. Die Bilder bleiben in der oben genannten Datei und in den Bildern, die Sie selbst "
        "speichern. Nur diese Hinweise gibt Quillmead an Ihren Browser weiter, wenn ein Erwachsener im Menü "
        "{parents} wählt.",
        "Quillmead 1.0.0. Alles darin – die Bilder, die Musik und die Geräusche – wurde eigens "
        "dafür gemacht.",
        "„",
        "“",
    },
    {
        "Español",
        "Quillmead: guía para madres y padres",
        "Quillmead es un libro para colorear en la pantalla, pensado para niños pequeños: 21 "
        "páginas de flores y sus amigos que esperan color. No hace falta saber leer para jugar, y nada se "
        "pierde: todo lo pintado se guarda para la próxima vez. Quillmead no necesita conexión a "
        "internet.",
        "Cómo se juega",
        {
            "El pincel sigue al ratón.",
            "Un clic en un bote de pintura moja el pincel; un clic en una parte del dibujo la rellena con ese color.",
            "Un pincel limpio recoge el color de una parte ya pintada al hacer clic en ella.",
            "La paleta tiene cuatro huecos para mezclar. Un pincel con pintura la deja en un hueco vacío; en "
            "un hueco lleno mezcla los dos colores como la pintura de verdad (amarillo y azul dan verde) y se lleva "
            "el color nuevo. Un pincel limpio toma la pintura de un hueco. La gotita transparente junto a un hueco "
            "lleno lo vacía; después de una mezcla, una gotita de color devuelve el color anterior.",
            "Un clic en el vaso de agua lava el pincel.",
            "Las flechas a los lados del libro pasan las páginas; después de la última vuelve la "
            "primera.",
            "El botón de volver (la flecha curva de arriba) quita el último color, paso a paso. Aparece en "
            "cuanto se ha pintado algo en la página.",
            "El botón de borrar (la goma de arriba) deja toda la página en blanco, después de "
            "preguntar.",
            "El botón de menú (arriba a la izquierda) abre el menú: sonidos y música sí o no, "
            "{about}, {clearall} (pregunta antes) y esta guía.",
            "El botón de ayuda (el signo de interrogación) muestra los dibujos que explican todo esto. La "
            "casilla de esa pantalla decide si la ayuda aparece en cada inicio.",
            "El botón de cerrar (arriba a la derecha) pregunta {exit} y cierra Quillmead si se responde {ok}.",
        },
        "Teclas",
        {
            {"<kbd>Esc</kbd>", "Salir de Quillmead (pregunta antes; otro <kbd>Esc</kbd> responde que no). En una "
                               "pregunta o en el menú, <kbd>Esc</kbd> la cierra."},
            {"<kbd>Intro</kbd>", "Responde que sí a la pregunta de la pantalla."},
            {"<kbd>F1</kbd>", "Ayuda."},
            {"<kbd>←</kbd> <kbd>→</kbd>", "Pasar las páginas."},
        },
        "Dónde se guardan los dibujos",
        "Todo lo pintado, la paleta, los interruptores y la última página vista se guardan en un solo "
        "archivo, {file}, en la carpeta indicada por <code>$XDG_DATA_HOME</code> o, si no está definida, en "
        "<code>~/.local/share</code>. Quillmead lo escribe poco después de cada cambio y una vez más al "
        "terminar. Abrir esta guía desde el menú también cierra Quillmead, después de guardarlo todo, para que "
        "se pueda leer con calma.",
        "Empezar de nuevo",
        "Para borrar solo los dibujos, elija {clearall} en el menú. Para empezar de cero (dibujos, paleta e "
        "interruptores), cierre primero Quillmead y después borre el archivo {file}, por ejemplo con "
        "<code>rm \"${XDG_DATA_HOME:-$HOME/.local/share}/velvadine_quillmead_cfg\"</code>. El siguiente inicio "
        "será como el primero.",
        "Nada sale de este ordenador",
        "Quillmead nunca abre una conexión de red: no recoge nada, no muestra publicidad y no envía nada a "
        "ninguna parte. Los dibujos se quedan en el archivo citado arriba y en las imágenes que usted guarde. "
        "Lo único que sale de Quillmead es esta guía, que entrega a su navegador cuando un adulto elige "
        "{parents} en el menú.",
        "Quillmead 1.0.0. Todo en él —los dibujos, la música y los sonidos— se hizo "
        "especialmente para este programa.",
        "«",
        "»",
    },
    {
        "Русский",
        "Quillmead — памятка для родителей",
        "Quillmead — это раскраска на экране для маленьких детей: 21 страница с цветами и их друзьями, которые "
        "ждут красок. Уметь читать для игры не нужно, и ничего не теряется: всё нарисованное сохраняется до "
        "следующего раза. Интернет для Quillmead не нужен.",
        "Как играет ребёнок",
        {
            "Кисточка следует за мышью.",
            "Щелчок по баночке с краской обмакивает в неё кисточку; щелчок по части рисунка закрашивает её этим "
            "цветом.",
            "Чистая кисточка, если щёлкнуть ею по закрашенной части, набирает её цвет.",
            "На палитре четыре лунки для смешивания. Кисточка с краской оставляет её в пустой лунке; в полной лунке "
            "она смешивает два цвета, как настоящие краски (жёлтый и синий дают зелёный), и набирает новый цвет. "
            "Чистая кисточка берёт краску из лунки. Маленькая прозрачная капля рядом с полной лункой очищает её; "
            "после смешивания маленькая цветная капля возвращает прежний цвет.",
            "Щелчок по стакану с водой отмывает кисточку.",
            "Стрелки по бокам книги перелистывают страницы; после последней снова идёт первая.",
            "Кнопка «назад» (изогнутая стрелка наверху) отменяет последний цвет, шаг за шагом. Она появляется, как "
            "только на странице что-нибудь раскрашено.",
            "Кнопка «очистить» (ластик наверху) снова делает всю страницу белой, но сначала спрашивает.",
            "Кнопка меню (слева вверху) открывает меню: звуки и музыка вкл. или выкл., {about}, {clearall} (с "
            "вопросом) и эту памятку.",
            "Кнопка помощи (вопросительный знак) показывает картинки, которые всё это объясняют. Галочка на этом "
            "экране решает, появляется ли помощь при каждом запуске.",
            "Кнопка закрытия (справа вверху) спрашивает {exit} и закрывает Quillmead, если ответить {ok}.",
        },
        "Клавиши",
        {
            {"<kbd>Esc</kbd>", "Выйти из Quillmead (с вопросом; повторный <kbd>Esc</kbd> отвечает «нет»). В "
                               "вопросе или в меню <kbd>Esc</kbd> закрывает его."},
            {"<kbd>Enter</kbd>", "Отвечает «да» на вопрос на экране."},
            {"<kbd>F1</kbd>", "Помощь."},
            {"<kbd>←</kbd> <kbd>→</kbd>", "Перелистывать страницы."},
        },
        "Где хранятся рисунки",
        "Всё нарисованное, палитра, переключатели и последняя открытая страница хранятся в одном файле {file} в "
        "папке, заданной <code>$XDG_DATA_HOME</code>, а если она не задана, в <code>~/.local/share</code>. "
        "Quillmead записывает его вскоре после каждого изменения и ещё раз при закрытии. Если открыть эту "
        "памятку из меню, Quillmead тоже закроется, сначала всё сохранив, чтобы её можно было спокойно прочитать.",
        "Начать заново",
        "Чтобы стереть только рисунки, выберите в меню {clearall}. Чтобы начать совсем с начала (рисунки, палитра "
        "и переключатели), сначала закройте Quillmead, затем удалите файл {file}, например так: "
        "<code>rm \"${XDG_DATA_HOME:-$HOME/.local/share}/velvadine_quillmead_cfg\"</code>. Следующий запуск будет "
        "как самый первый.",
        "Ничто не покидает этот компьютер",
        "Quillmead никогда не открывает сетевых соединений: она ничего не собирает, не показывает рекламы и "
        "никуда ничего не отправляет. Рисунки остаются в файле, названном выше, и в картинках, которые вы "
        "сохраните сами. Наружу Quillmead передаёт только это руководство — вашему браузеру, когда взрослый "
        "выбирает в меню {parents}.",
        "Quillmead 1.0.0. Всё в нём — картинки, музыка и звуки — сделано специально для этой программы.",
        "«",
        "»",
    },
    {
        "Français",
        "Quillmead — guide pour les parents",
        "Quillmead est un livre de coloriage à l’écran pour les jeunes enfants&nbsp;: 21 pages de fleurs et de "
        "leurs amis qui attendent leurs couleurs. Pas besoin de savoir lire pour jouer, et rien ne se perd&nbsp;: "
        "tout ce qui est peint est gardé pour la prochaine fois. Quillmead n’a pas besoin d’Internet.",
        "Comment joue votre enfant",
        {
            "Le pinceau suit la souris.",
            "Un clic sur un pot de peinture y trempe le pinceau&nbsp;; un clic sur une partie du dessin la remplit "
            "de cette couleur.",
            "Un pinceau propre qui clique sur une partie peinte reprend sa couleur.",
            "La palette a quatre godets pour mélanger. Un pinceau chargé dépose sa peinture dans un godet vide&nbsp;; "
            "dans un godet plein, il mélange les deux couleurs comme de la vraie peinture (jaune et bleu donnent "
            "vert) et prend la nouvelle couleur. Un pinceau propre prend la peinture d’un godet. La petite goutte "
            "transparente à côté d’un godet plein le vide&nbsp;; après un mélange, une petite goutte colorée rend "
            "l’ancienne couleur.",
            "Un clic sur le verre d’eau lave le pinceau.",
            "Les flèches de chaque côté du livre tournent les pages&nbsp;; après la dernière revient la première.",
            "Le bouton retour (la flèche courbe en haut) enlève la dernière couleur, pas à pas. Il apparaît dès que "
            "quelque chose est peint sur la page.",
            "Le bouton gomme (en haut) rend toute la page blanche, après avoir demandé.",
            "Le bouton menu (en haut à gauche) ouvre le menu&nbsp;: sons et musique à allumer ou couper, {about}, "
            "{clearall} (avec une question) et ce guide.",
            "Le bouton d’aide (le point d’interrogation) montre les images qui expliquent tout cela. La case à "
            "cocher de cet écran décide si l’aide s’affiche à chaque démarrage.",
            "Le bouton fermer (en haut à droite) demande {exit} et ferme Quillmead si l’on répond {ok}.",
        },
        "Touches",
        {
            {"<kbd>Échap</kbd>", "Quitter Quillmead (avec une question&nbsp;; un deuxième <kbd>Échap</kbd> répond "
                                 "non). Sur une question ou dans le menu, <kbd>Échap</kbd> la ferme."},
            {"<kbd>Entrée</kbd>", "Répond oui à la question affichée."},
            {"<kbd>F1</kbd>", "Aide."},
            {"<kbd>←</kbd> <kbd>→</kbd>", "Tourner les pages."},
        },
        "Où les dessins sont gardés",
        "Tout ce qui est peint, la palette, les réglages et la dernière page affichée sont gardés dans un seul "
        "fichier, {file}, dans le dossier indiqué par <code>$XDG_DATA_HOME</code> ou, s’il n’est pas défini, dans "
        "<code>~/.local/share</code>. Quillmead l’écrit peu après chaque changement et une dernière fois en se "
        "fermant. Ouvrir ce guide depuis le menu ferme aussi Quillmead, après avoir tout enregistré, pour qu’on "
        "puisse le lire tranquillement.",
        "Repartir de zéro",
        "Pour effacer seulement les dessins, choisissez {clearall} dans le menu. Pour tout recommencer (dessins, "
        "palette et réglages), fermez d’abord Quillmead, puis supprimez le fichier {file}, par exemple avec "
        "<code>rm \"${XDG_DATA_HOME:-$HOME/.local/share}/velvadine_quillmead_cfg\"</code>. Le démarrage suivant "
        "sera comme le tout premier.",
        "Rien ne quitte cet ordinateur",
        "Quillmead n’ouvre jamais de connexion réseau&nbsp;: il ne collecte rien, n’affiche aucune publicité et "
        "n’envoie rien nulle part. Les dessins restent dans le fichier nommé plus haut et dans les images que "
        "vous enregistrez vous-même. Seul ce guide sort de Quillmead&nbsp;: il le confie à votre navigateur quand "
        "un adulte choisit {parents} dans le menu.",
        "Quillmead 1.0.0. Tout ce qu’il contient — les images, la musique et les sons — a été créé pour lui.",
        "«&nbsp;",
        "&nbsp;»",
    },
};

}  // namespace

const GuideTexts& guideTexts(int language) { return kGuide[language]; }

}  // namespace screenart
