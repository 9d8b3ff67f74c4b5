<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AddTimerDialog</name>
    <message>
        <source>&amp;Timer</source>
        <translation>&amp;Timer</translation>
    </message>
    <message>
        <source>Initial &amp;Interval</source>
        <translation>Erstes &amp;Intervall</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Initial interval</source>
        <translation>Erstes Intervall</translation>
    </message>
    <message>
        <source>Initial interval is ON or OFF</source>
        <translation>Erstes Intervall ist EIN oder AUS</translation>
    </message>
    <message>
        <source>Switches the first interval between ON and OFF</source>
        <translation>Schaltet das erste Intervall zwischen EIN und AUS um</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>Edit Time</source>
        <translation>Zeit bearbeiten</translation>
    </message>
</context>
<context>
    <name>ClipboardActions</name>
    <message>
        <source>%1 Intervals %2-%3</source>
        <translation>Intervalle %2-%3 von %1</translation>
    </message>
    <message>
        <source>&amp;Cut</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>C&amp;opy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Pa&amp;ste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>%1 needs a timer or intervals to work on.</source>
        <translation>Für „%1“ müssen ein Timer oder Intervalle ausgewählt sein.</translation>
    </message>
    <message>
        <source>Click a timer&apos;s caption for the whole timer, or an interval&apos;s ON/OFF label (Shift+click for several), then choose %1 again.</source>
        <translation>Klicken Sie für den ganzen Timer auf seine Überschrift oder auf die EIN/AUS-Beschriftung eines Intervalls (Umschalt+Klick für mehrere) und wählen Sie dann erneut „%1“.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Cut %1</source>
        <translation>%1 ausschneiden</translation>
    </message>
    <message>
        <source>Nothing was pasted.</source>
        <translation>Es wurde nichts eingefügt.</translation>
    </message>
    <message>
        <source>The clipboard holds no timer or interval, so nothing was pasted.</source>
        <translation>Die Zwischenablage enthält keinen Timer und kein Intervall, daher wurde nichts eingefügt.</translation>
    </message>
    <message>
        <source>Copy a timer or intervals here, or text with lines such as &quot;Timer 4&quot; and &quot;OFF - 00:02:00&quot;, then paste again.</source>
        <translation>Kopieren Sie hier einen Timer oder Intervalle oder anderswo einen Text mit Zeilen wie „Timer 4“ und „OFF - 00:02:00“ und fügen Sie dann erneut ein.</translation>
    </message>
    <message>
        <source>Paste %1</source>
        <translation>%1 einfügen</translation>
    </message>
    <message numerus="yes">
        <source>Paste %n Timers</source>
        <translation>
            <numerusform>%n Timer einfügen</numerusform>
            <numerusform>%n Timer einfügen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Paste %n Interval(s) into %1</source>
        <translation>
            <numerusform>%n Intervall in %1 einfügen</numerusform>
            <numerusform>%n Intervalle in %1 einfügen</numerusform>
        </translation>
    </message>
    <message>
        <source>the pasted text</source>
        <extracomment>Stands where a file&apos;s name would: &quot;2 lines of &lt;name&gt; could not be read&quot;.</extracomment>
        <translation>dem eingefügten Text</translation>
    </message>
    <message>
        <source>Not every line of the pasted text could be read.</source>
        <translation>Nicht jede Zeile des eingefügten Textes konnte gelesen werden.</translation>
    </message>
    <message>
        <source>The rest was pasted.</source>
        <translation>Der Rest wurde eingefügt.</translation>
    </message>
    <message>
        <source>The clipboard holds more than %1 MiB of text, far more than any timer program takes. Copy only the timers or intervals you need, then paste again.</source>
        <translation>Die Zwischenablage enthält mehr als %1 MiB Text, weit mehr, als ein Timerprogramm braucht. Kopieren Sie nur die Timer oder Intervalle, die Sie brauchen, und fügen Sie dann erneut ein.</translation>
    </message>
</context>
<context>
    <name>DeviceLimits</name>
    <message>
        <source>ON - %1</source>
        <translation>EIN - %1</translation>
    </message>
    <message>
        <source>OFF - %1</source>
        <translation>AUS - %1</translation>
    </message>
    <message>
        <source>The program needs %1 bytes of device memory, but the device holds %2. Remove intervals or timers until it fits.</source>
        <translation>Das Programm benötigt %1 Bytes Gerätespeicher, das Gerät fasst aber nur %2. Entfernen Sie Intervalle oder Timer, bis es passt.</translation>
    </message>
    <message>
        <source>%1 has a block with no intervals. Add an interval to it or delete it.</source>
        <translation>%1 hat einen Block ohne Intervalle. Fügen Sie dem Block ein Intervall hinzu oder löschen Sie ihn.</translation>
    </message>
    <message>
        <source>&quot;Run timer 0 on power up&quot; is checked, but the program has no timer 0, so the device starts nothing. Add a timer 0 or clear the box.</source>
        <translation>„Timer 0 beim Einschalten starten“ ist angekreuzt, aber das Programm hat keinen Timer 0, daher startet das Gerät nichts. Fügen Sie einen Timer 0 hinzu oder entfernen Sie das Häkchen.</translation>
    </message>
    <message>
        <source>the program is larger than the device&apos;s %1 bytes</source>
        <translation>das Programm ist größer als die %1 Bytes des Geräts</translation>
    </message>
    <message>
        <source>%1, interval %2 is longer than the device takes</source>
        <translation>Intervall %2 von %1 ist länger, als das Gerät zulässt</translation>
    </message>
    <message>
        <source>%1 is not a timer of the device</source>
        <translation>%1 ist kein Timer des Geräts</translation>
    </message>
    <message>
        <source>%1 has a block with no intervals</source>
        <translation>%1 hat einen Block ohne Intervalle</translation>
    </message>
    <message>
        <source>%1 is in more than one place</source>
        <translation>%1 steht an mehr als einer Stelle</translation>
    </message>
    <message>
        <source>timer 0 should run on power up, but there is no timer 0</source>
        <translation>Timer 0 soll beim Einschalten starten, aber es gibt keinen Timer 0</translation>
    </message>
    <message>
        <source>%1 appears in two places; the device would treat them as one timer.</source>
        <translation>%1 steht an zwei Stellen; das Gerät würde beide Teile als einen Timer behandeln.</translation>
    </message>
    <message>
        <source>%1 appears in %2 places; the device would treat them as one timer.</source>
        <translation>%1 steht an %2 Stellen; das Gerät würde alle Teile als einen Timer behandeln.</translation>
    </message>
    <message>
        <source>Move its intervals together or give one of them another number.</source>
        <translation>Führen Sie seine Intervalle zusammen oder geben Sie einem der Teile eine andere Nummer.</translation>
    </message>
    <message>
        <source>Use Join %1 in the Edit menu to move its intervals together, or give one of them another number.</source>
        <translation>Wählen Sie „%1 zusammenführen“ im Menü „Bearbeiten“, um seine Intervalle zusammenzuführen, oder geben Sie einem der Teile eine andere Nummer.</translation>
    </message>
    <message>
        <source>%1, interval %2 (%3) has %4 sixtieths of a second, more than a second holds; the device runs it as %5. Type it as %5 if that is what you meant.</source>
        <translation>Intervall %2 von %1 (%3) hat %4 Sechzigstel einer Sekunde, mehr als eine Sekunde fasst; das Gerät führt es als %5 aus. Geben Sie es als %5 ein, wenn Sie das meinten.</translation>
    </message>
    <message>
        <source>%1 is not a timer of the device, which has timers %2 to %3. Move its intervals to a timer from %2 to %3.</source>
        <translation>%1 ist kein Timer des Geräts; das Gerät hat die Timer %2 bis %3. Verschieben Sie seine Intervalle in einen Timer von %2 bis %3.</translation>
    </message>
    <message>
        <source>%1, interval %2 (%3) is longer than the device&apos;s longest interval, %4. Shorten it or split it into several intervals.</source>
        <translation>Intervall %2 von %1 (%3) ist länger als das längste Intervall des Geräts, %4. Kürzen Sie es oder teilen Sie es in mehrere Intervalle auf.</translation>
    </message>
    <message>
        <source>%1, interval %2 has 60 or more sixtieths of a second</source>
        <translation>Intervall %2 von %1 hat 60 oder mehr Sechzigstel einer Sekunde</translation>
    </message>
</context>
<context>
    <name>EditActions</name>
    <message>
        <source>%1 needs an interval to work on.</source>
        <translation>Für „%1“ muss ein Intervall ausgewählt sein.</translation>
    </message>
    <message>
        <source>%1 needs a timer to work on.</source>
        <translation>Für „%1“ muss ein Timer ausgewählt sein.</translation>
    </message>
    <message>
        <source>Click an interval&apos;s ON/OFF label to select it, then choose %1 again.</source>
        <translation>Klicken Sie auf die EIN/AUS-Beschriftung eines Intervalls, um es auszuwählen, und wählen Sie dann erneut „%1“.</translation>
    </message>
    <message>
        <source>Click a timer&apos;s caption or one of its intervals, then choose %1 again.</source>
        <translation>Klicken Sie auf die Überschrift eines Timers oder auf eines seiner Intervalle und wählen Sie dann erneut „%1“.</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>%1 hinzufügen</translation>
    </message>
    <message>
        <source>Add Interval</source>
        <translation>Intervall hinzufügen</translation>
    </message>
    <message>
        <source>Add Interval to %1</source>
        <translation>Intervall zu %1 hinzufügen</translation>
    </message>
    <message>
        <source>Insert Interval</source>
        <translation>Intervall einfügen</translation>
    </message>
    <message>
        <source>Insert %1</source>
        <translation>%1 einfügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete %1 Intervals %2-%3</source>
        <translation>Intervalle %2-%3 von %1 löschen</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>%1 löschen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten verschieben</translation>
    </message>
    <message>
        <source>Move Up %1</source>
        <translation>%1 nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Down %1</source>
        <translation>%1 nach unten verschieben</translation>
    </message>
    <message>
        <source>Move Timer Up</source>
        <translation>Timer nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Timer Down</source>
        <translation>Timer nach unten verschieben</translation>
    </message>
    <message>
        <source>Move Timer Up %1</source>
        <translation>%1 nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Timer Down %1</source>
        <translation>%1 nach unten verschieben</translation>
    </message>
    <message>
        <source>Duplicate Timer</source>
        <translation>Timer duplizieren</translation>
    </message>
    <message>
        <source>Duplicate %1 as %2</source>
        <translation>%1 als %2 duplizieren</translation>
    </message>
    <message>
        <source>Change Timer Number</source>
        <translation>Timernummer ändern</translation>
    </message>
    <message>
        <source>New number for %1:</source>
        <translation>Neue Nummer für %1:</translation>
    </message>
    <message>
        <source>%1 is already in the program.</source>
        <translation>%1 ist bereits im Programm.</translation>
    </message>
    <message>
        <source>Each timer number can be used once. Choose a free number.</source>
        <translation>Jede Timernummer kann nur einmal verwendet werden. Wählen Sie eine freie Nummer.</translation>
    </message>
    <message>
        <source>Renumber %1 as %2</source>
        <translation>%1 auf %2 umnummerieren</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 bearbeiten</translation>
    </message>
    <message>
        <source>Switch %1 to ON</source>
        <translation>%1 auf EIN schalten</translation>
    </message>
    <message>
        <source>Switch %1 to OFF</source>
        <translation>%1 auf AUS schalten</translation>
    </message>
    <message>
        <source>Start Block at %1</source>
        <translation>Neuen Block bei %1 beginnen</translation>
    </message>
    <message>
        <source>Join Block at %1</source>
        <translation>%1 an den vorigen Block anschließen</translation>
    </message>
    <message>
        <source>Join %1</source>
        <translation>%1 zusammenführen</translation>
    </message>
    <message>
        <source>The program has no problems.</source>
        <translation>Das Programm hat keine Probleme.</translation>
    </message>
    <message>
        <source>The device can take it as it is.</source>
        <translation>Das Gerät kann es so übernehmen.</translation>
    </message>
    <message numerus="yes">
        <source>The program has %n problem(s).</source>
        <translation>
            <numerusform>Das Programm hat %n Problem.</numerusform>
            <numerusform>Das Programm hat %n Probleme.</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Join Timer</source>
        <translation>Timer &amp;zusammenführen</translation>
    </message>
    <message>
        <source>&amp;Join %1</source>
        <translation>%1 &amp;zusammenführen</translation>
    </message>
    <message>
        <source>S&amp;how Problems</source>
        <translation>&amp;Probleme anzeigen</translation>
    </message>
    <message>
        <source>Run Timer 0 on Power Up</source>
        <translation>Timer 0 beim Einschalten starten</translation>
    </message>
    <message>
        <source>Do Not Run Timer 0 on Power Up</source>
        <translation>Timer 0 beim Einschalten nicht starten</translation>
    </message>
    <message numerus="yes">
        <source>The program has %n warning(s).</source>
        <translation>
            <numerusform>Das Programm hat %n Warnung.</numerusform>
            <numerusform>Das Programm hat %n Warnungen.</numerusform>
        </translation>
    </message>
    <message>
        <source>The program has %1 and %2.</source>
        <extracomment>%1 is &quot;N problem(s)&quot;, %2 &quot;N warning(s)&quot;.</extracomment>
        <translation>Das Programm hat %1 und %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s)</source>
        <translation>
            <numerusform>%n Problem</numerusform>
            <numerusform>%n Probleme</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n warning(s)</source>
        <translation>
            <numerusform>%n Warnung</numerusform>
            <numerusform>%n Warnungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditRefusal</name>
    <message>
        <source>There is no such timer.</source>
        <translation>Diesen Timer gibt es nicht.</translation>
    </message>
    <message>
        <source>Click a timer&apos;s caption or one of its intervals, then try again.</source>
        <translation>Klicken Sie auf die Überschrift eines Timers oder auf eines seiner Intervalle und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>There is no such interval.</source>
        <translation>Dieses Intervall gibt es nicht.</translation>
    </message>
    <message>
        <source>Click an interval&apos;s ON/OFF label to select it, then try again.</source>
        <translation>Klicken Sie auf die EIN/AUS-Beschriftung eines Intervalls, um es auszuwählen, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The program already has %1 timers.</source>
        <translation>Das Programm hat bereits %1 Timer.</translation>
    </message>
    <message>
        <source>That is every timer the device has, %1 to %2. Delete a timer before adding another one.</source>
        <translation>Das sind alle Timer des Geräts, %1 bis %2. Löschen Sie einen Timer, bevor Sie einen weiteren hinzufügen.</translation>
    </message>
    <message>
        <source>%1 already has %2 intervals.</source>
        <translation>%1 hat bereits %2 Intervalle.</translation>
    </message>
    <message>
        <source>That is the most one timer holds. Add another timer for more intervals.</source>
        <translation>Mehr fasst ein Timer nicht. Fügen Sie für weitere Intervalle einen weiteren Timer hinzu.</translation>
    </message>
    <message>
        <source>That is the most one timer holds, and the program already needs %1 of the device&apos;s %2 bytes, so there is no room for more intervals.</source>
        <translation>Mehr fasst ein Timer nicht, und das Programm benötigt bereits %1 der %2 Bytes des Geräts, daher ist kein Platz für weitere Intervalle.</translation>
    </message>
    <message>
        <source>Every timer number from %1 to %2 is in use.</source>
        <translation>Jede Timernummer von %1 bis %2 ist vergeben.</translation>
    </message>
    <message>
        <source>Delete a timer first to free its number.</source>
        <translation>Löschen Sie zuerst einen Timer, um seine Nummer freizugeben.</translation>
    </message>
    <message>
        <source>Interval %1 is already the first of %2.</source>
        <translation>Intervall %1 ist bereits das erste von %2.</translation>
    </message>
    <message>
        <source>Interval %1 is already the last of %2.</source>
        <translation>Intervall %1 ist bereits das letzte von %2.</translation>
    </message>
    <message>
        <source>Intervals move within their timer. To move intervals to another timer, add them there.</source>
        <translation>Intervalle werden innerhalb ihres Timers verschoben. Um Intervalle in einen anderen Timer zu bringen, fügen Sie sie dort hinzu.</translation>
    </message>
    <message>
        <source>%1 is already the first timer.</source>
        <translation>%1 ist bereits der erste Timer.</translation>
    </message>
    <message>
        <source>%1 is already the last timer.</source>
        <translation>%1 ist bereits der letzte Timer.</translation>
    </message>
    <message>
        <source>Select another timer to move, or move this one the other way.</source>
        <translation>Wählen Sie einen anderen Timer zum Verschieben aus oder verschieben Sie diesen in die andere Richtung.</translation>
    </message>
    <message>
        <source>No timer is in more than one place.</source>
        <translation>Kein Timer steht an mehr als einer Stelle.</translation>
    </message>
    <message>
        <source>Join Timer moves the intervals of a timer that a file has in two places into its first place.</source>
        <translation>„Timer zusammenführen“ verschiebt die Intervalle eines Timers, der in einer Datei an zwei Stellen steht, an seine erste Stelle.</translation>
    </message>
    <message>
        <source>%1 cannot be joined into one place.</source>
        <translation>%1 kann nicht an einer Stelle zusammengeführt werden.</translation>
    </message>
    <message>
        <source>Together its places have more than %1 intervals, the most one timer holds. Delete intervals or give one place another number.</source>
        <translation>Zusammen haben seine Stellen mehr als %1 Intervalle; mehr fasst ein Timer nicht. Löschen Sie Intervalle oder geben Sie einer Stelle eine andere Nummer.</translation>
    </message>
    <message>
        <source>%1 does not read as an interval.</source>
        <translation>%1 ist als Intervall nicht lesbar.</translation>
    </message>
    <message>
        <source>Type it as hours:minutes:seconds, with sixtieths after a fourth colon if needed.</source>
        <translation>Geben Sie es als Stunden:Minuten:Sekunden ein, bei Bedarf mit Sechzigsteln nach einem vierten Doppelpunkt.</translation>
    </message>
    <message>
        <source>The first interval always starts a block</source>
        <translation>Das erste Intervall beginnt immer einen Block</translation>
    </message>
    <message>
        <source>A block holds at most %1 intervals</source>
        <translation>Ein Block umfasst höchstens %1 Intervalle</translation>
    </message>
</context>
<context>
    <name>EditorState</name>
    <message>
        <source>%1 Interval %2</source>
        <translation>Intervall %2 von %1</translation>
    </message>
</context>
<context>
    <name>FileActions</name>
    <message>
        <source>&amp;1 Five minutes on, 55 off, every hour</source>
        <translation>&amp;1 Fünf Minuten ein, 55 aus, jede Stunde</translation>
    </message>
    <message>
        <source>&amp;2 Blink pattern in sixtieths of a second</source>
        <translation>&amp;2 Blinkmuster in Sechzigsteln einer Sekunde</translation>
    </message>
    <message>
        <source>&amp;3 Three timers with blocks</source>
        <translation>&amp;3 Drei Timer mit Blöcken</translation>
    </message>
    <message>
        <source>Tavrel Timer Files (*.tvr);;All Files(*.*)</source>
        <translation>Tavrel-Timer-Dateien (*.tvr);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>%1 was changed by another program.
Reload it?</source>
        <translation>%1 wurde von einem anderen Programm geändert.
Neu laden?</translation>
    </message>
    <message>
        <source>%1 was changed by another program.</source>
        <translation>%1 wurde von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>Your unsaved changes here are kept. When you save, you will be asked whether to replace the other change or to save under another name.</source>
        <translation>Ihre ungespeicherten Änderungen hier bleiben erhalten. Beim Speichern werden Sie gefragt, ob Sie die andere Änderung ersetzen oder unter einem anderen Namen speichern möchten.</translation>
    </message>
    <message>
        <source>Unable to save to file</source>
        <translation>Die Datei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>%1 was changed by another program since you opened it.</source>
        <translation>%1 wurde seit dem Öffnen von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>The program is empty and cannot be saved.</source>
        <translation>Das Programm ist leer und kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Every timer was deleted. Discard the change and go on, or cancel and use Undo to get the timers back.</source>
        <translation>Alle Timer wurden gelöscht. Verwerfen Sie die Änderung und fahren Sie fort oder brechen Sie ab und holen Sie die Timer mit „Rückgängig“ zurück.</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Änderungen speichern?</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>The example could not be read.</source>
        <translation>Das Beispiel konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The application may be damaged. Install it again.</source>
        <translation>Die Anwendung ist möglicherweise beschädigt. Installieren Sie sie erneut.</translation>
    </message>
    <message>
        <source>Unable to open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>%1 was opened, but not every line of it could be read.</source>
        <translation>%1 wurde geöffnet, aber nicht jede Zeile konnte gelesen werden.</translation>
    </message>
    <message>
        <source>%1 was opened, but it has problems to put right.</source>
        <translation>%1 wurde geöffnet, hat aber Probleme, die behoben werden müssen.</translation>
    </message>
    <message>
        <source>Part of the program could not be shown.</source>
        <translation>Ein Teil des Programms konnte nicht angezeigt werden.</translation>
    </message>
    <message>
        <source>The editor holds %1 timers of up to %2 intervals each. Left out:
%3
The file itself is unchanged; saving writes only what is shown.</source>
        <translation>Der Editor fasst %1 Timer mit je bis zu %2 Intervallen. Weggelassen:
%3
Die Datei selbst bleibt unverändert; beim Speichern wird nur geschrieben, was angezeigt wird.</translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>Keine zuletzt geöffneten Dateien</translation>
    </message>
    <message numerus="yes">
        <source>Saving writes %1 without the %n line(s) that could not be read.</source>
        <translation>
            <numerusform>Beim Speichern wird %1 ohne die %n Zeile geschrieben, die nicht gelesen werden konnte.</numerusform>
            <numerusform>Beim Speichern wird %1 ohne die %n Zeilen geschrieben, die nicht gelesen werden konnten.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Saving writes %1 without the %n part(s) of the program that the editor does not hold.</source>
        <translation>
            <numerusform>Beim Speichern wird %1 ohne den %n Programmteil geschrieben, den der Editor nicht aufnimmt.</numerusform>
            <numerusform>Beim Speichern wird %1 ohne die %n Programmteile geschrieben, die der Editor nicht aufnimmt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>It also leaves out the %n part(s) of the program that the editor does not hold.</source>
        <translation>
            <numerusform>Außerdem fehlt der %n Programmteil, den der Editor nicht aufnimmt.</numerusform>
            <numerusform>Außerdem fehlen die %n Programmteile, die der Editor nicht aufnimmt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Save writes only what the editor holds. Save As… keeps %1 as it is and writes the program to another file.</source>
        <translation>„Speichern“ schreibt nur, was der Editor enthält. „Speichern unter…“ lässt %1, wie es ist, und schreibt das Programm in eine andere Datei.</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>Building a program</source>
        <translation>Ein Programm erstellen</translation>
    </message>
    <message>
        <source>What the device takes</source>
        <translation>Was das Gerät fasst</translation>
    </message>
    <message>
        <source>Blocks and memory</source>
        <translation>Blöcke und Speicher</translation>
    </message>
    <message>
        <source>The device has 128 bytes for the program. Every interval takes 3 bytes and every block 1. A block holds up to 8 intervals of one timer; the box at the right of a row starts a new block, and the editor adds the ones a long timer needs. The status line and the gauge show how much memory the program uses; above 128 bytes the gauge turns red and the program cannot be sent until it is smaller.</source>
        <translation>Der Gerätespeicher fasst 128 Bytes für das Programm. Jedes Intervall belegt 3 Bytes und jeder Block 1 Byte. Ein Block fasst bis zu 8 Intervalle eines Timers; das Kästchen rechts in einer Zeile beginnt einen neuen Block, und der Editor fügt die Blöcke hinzu, die ein langer Timer braucht. Die Statuszeile und die Speicheranzeige zeigen, wie viel Speicher das Programm belegt; über 128 Bytes wird die Anzeige rot, und das Programm kann erst übertragen werden, wenn es kleiner ist.</translation>
    </message>
    <message>
        <source>Sending it to the device</source>
        <translation>Übertragung auf das Gerät</translation>
    </message>
    <message>
        <source>&lt;b&gt;Program&lt;/b&gt; checks the program and opens the programming window. Turn the screen brightness all the way up, hold the device&apos;s sensor flat against the two panes, press &lt;b&gt;Start&lt;/b&gt; and keep the device still until the window says Done. A full program takes a little over a minute. The panes flash several times a second. The window counts the program&apos;s bytes as the status line does; what it sends is 4 bytes longer, for the start byte, the length, the block count and a checksum the device checks.</source>
        <translation>&lt;b&gt;Programmieren&lt;/b&gt; prüft das Programm und öffnet das Programmierfenster. Stellen Sie die Bildschirmhelligkeit ganz hoch, halten Sie den Sensor des Geräts flach an die beiden Flächen, drücken Sie &lt;b&gt;Starten&lt;/b&gt; und halten Sie das Gerät ruhig, bis das Fenster „Fertig“ meldet. Die Übertragung eines vollen Programms dauert etwas über eine Minute. Die Flächen blinken mehrmals pro Sekunde. Das Fenster zählt die Bytes des Programms so wie die Statuszeile; was es überträgt, ist 4 Bytes länger: Startbyte, Länge, Blockanzahl und eine Prüfsumme, die das Gerät prüft.</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Tastatur</translation>
    </message>
    <message>
        <source>Every button and menu command has its own underlined letter: press Alt and the letter. Tab moves from control to control, and the one with the focus is framed. &lt;b&gt;Add Timer&lt;/b&gt; opens with the first interval selected: type it and press Enter.</source>
        <translation>Jede Schaltfläche und jeder Menübefehl hat einen eigenen unterstrichenen Buchstaben: Drücken Sie Alt und diesen Buchstaben. Mit der Tabulatortaste gelangen Sie von Element zu Element; das Element mit dem Fokus ist umrahmt. &lt;b&gt;Timer hinzufügen&lt;/b&gt; öffnet mit ausgewähltem erstem Intervall: Geben Sie es ein und drücken Sie die Eingabetaste.</translation>
    </message>
    <message>
        <source>How to program the device</source>
        <translation>Anleitung zum Programmieren des Geräts</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>A program has up to %1 timers, numbered %2 to %3. Each timer is a sequence of ON and OFF intervals that the device runs in order. &lt;b&gt;Add Timer&lt;/b&gt; starts a timer with its first interval; &lt;b&gt;Add Interval&lt;/b&gt; and &lt;b&gt;Insert Interval&lt;/b&gt; (Ins) add more. Type a length as &lt;tt&gt;HH:MM:SS&lt;/tt&gt;, or &lt;tt&gt;HH:MM:SS:TT&lt;/tt&gt; with TT in sixtieths of a second. Click a row&apos;s ON/OFF label (or press Space on it) to switch it. Every change can be undone with Ctrl+Z. A typed interval that does not read stays in its field, framed with a red &quot;!&quot; sign, and the line under the list says how to type it; Esc takes the typing back. Esc does nothing else in the main window: Exit is Alt+X, Ctrl+Q or the close box.</source>
        <translation>Ein Programm hat bis zu %1 Timer, nummeriert von %2 bis %3. Jeder Timer ist eine Folge von EIN- und AUS-Intervallen, die das Gerät der Reihe nach abarbeitet. &lt;b&gt;Timer hinzufügen&lt;/b&gt; legt einen Timer mit seinem ersten Intervall an; &lt;b&gt;Intervall hinzufügen&lt;/b&gt; und &lt;b&gt;Intervall einfügen&lt;/b&gt; (Einfg) fügen weitere hinzu. Geben Sie eine Länge als &lt;tt&gt;HH:MM:SS&lt;/tt&gt; ein oder als &lt;tt&gt;HH:MM:SS:TT&lt;/tt&gt;, wobei TT für Sechzigstel einer Sekunde steht. Klicken Sie auf die EIN/AUS-Beschriftung einer Zeile (oder drücken Sie dort die Leertaste), um sie umzuschalten. Jede Änderung lässt sich mit Strg+Z rückgängig machen. Ein eingegebenes Intervall, das sich nicht lesen lässt, bleibt in seinem Feld stehen und wird mit einem roten „!“ markiert; die Zeile unter der Liste erklärt, wie es einzugeben ist, und Esc nimmt die Eingabe zurück. Sonst bewirkt Esc im Hauptfenster nichts: Beenden können Sie mit Alt+E, Strg+Q oder der Schließen-Schaltfläche des Fensters.</translation>
    </message>
    <message>
        <source>%1 timers, numbered %2 to %3; %4 intervals a timer; %5 intervals a block; %6 bytes of memory; intervals up to %7. A longer interval is marked in its field and on the timeline as soon as you enter it, and the status line counts every problem, and apart from them every warning: a program the device takes but that probably does not do what was meant, such as one that should start timer 0 on power up but has none. Click the status line, or choose &lt;b&gt;Edit &amp;gt; Show Problems&lt;/b&gt; (F8), to list them and select the first. A timer that a file has in two places is joined into one with &lt;b&gt;Edit &amp;gt; Join Timer&lt;/b&gt;.</source>
        <translation>%1 Timer, nummeriert von %2 bis %3; %4 Intervalle je Timer; %5 Intervalle je Block; %6 Bytes Gerätespeicher; Intervalle bis %7. Ein längeres Intervall wird in seinem Feld und auf der Zeitleiste markiert, sobald Sie es eingeben, und die Statuszeile zählt jedes Problem und getrennt davon jede Warnung: ein Programm, das das Gerät annimmt, das aber wahrscheinlich nicht tut, was gemeint war, etwa eines, das beim Einschalten Timer 0 starten soll, aber keinen hat. Klicken Sie auf die Statuszeile oder wählen Sie &lt;b&gt;Bearbeiten &amp;gt; Probleme anzeigen&lt;/b&gt; (F8), um sie aufzulisten und das erste auszuwählen. Einen Timer, den eine Datei an zwei Stellen enthält, fassen Sie mit &lt;b&gt;Bearbeiten &amp;gt; Timer zusammenführen&lt;/b&gt; zu einem zusammen.</translation>
    </message>
</context>
<context>
    <name>HistoryActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
</context>
<context>
    <name>IntervalEdit</name>
    <message>
        <source>“%1” does not read as an interval. %2. Esc takes the typing back.</source>
        <extracomment>%1 is the text typed, %2 the forms an interval is typed in.</extracomment>
        <translation>„%1“ ist als Intervall nicht lesbar. %2. Esc nimmt die Eingabe zurück.</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;Systemsprache</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Gilt ab dem nächsten Start</translation>
    </message>
    <message>
        <source>The new language is used from the next start of the Programmable Timer.</source>
        <translation>Die neue Sprache gilt ab dem nächsten Programmstart.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Add Timer</source>
        <translation>&amp;Timer hinzufügen</translation>
    </message>
    <message>
        <source>Adds a timer, asking for its number and first interval</source>
        <translation>Fügt einen Timer hinzu und fragt nach seiner Nummer und seinem ersten Intervall</translation>
    </message>
    <message>
        <source>Add &amp;Interval</source>
        <translation>&amp;Intervall hinzufügen</translation>
    </message>
    <message>
        <source>Appends an OFF 00:00:00 interval to the selected timer</source>
        <translation>Hängt ein Intervall AUS 00:00:00 an den ausgewählten Timer an</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Deletes the selected interval, or the selected timer when only its caption is selected</source>
        <translation>Löscht das ausgewählte Intervall oder den ausgewählten Timer, wenn nur seine Überschrift ausgewählt ist</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>&amp;Programmieren</translation>
    </message>
    <message>
        <source>Checks the program and sends it to the device</source>
        <translation>Prüft das Programm und überträgt es auf das Gerät</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Closes the window, asking to save changes</source>
        <translation>Schließt das Fenster und fragt, ob Änderungen gespeichert werden sollen</translation>
    </message>
    <message>
        <source>&amp;Run timer 0 on power up</source>
        <translation>Timer 0 beim Einschalten &amp;starten</translation>
    </message>
    <message>
        <source>The device starts timer 0 by itself when it is switched on</source>
        <translation>Das Gerät startet Timer 0 von selbst, wenn es eingeschaltet wird</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Zuletzt &amp;geöffnet</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>Export as CS&amp;V...</source>
        <translation>Als CS&amp;V exportieren...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Add &amp;Timer...</source>
        <translation>&amp;Timer hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Add Interval</source>
        <translation>Intervall &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Insert Interval</source>
        <translation>Intervall ein&amp;fügen</translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation>Nach &amp;oben verschieben</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>Nach &amp;unten verschieben</translation>
    </message>
    <message>
        <source>Mo&amp;ve Timer Up</source>
        <translation>Timer nach o&amp;ben verschieben</translation>
    </message>
    <message>
        <source>Mov&amp;e Timer Down</source>
        <translation>Timer nach unte&amp;n verschieben</translation>
    </message>
    <message>
        <source>Du&amp;plicate Timer</source>
        <translation>Timer &amp;duplizieren</translation>
    </message>
    <message>
        <source>Change Timer &amp;Number...</source>
        <translation>Timernu&amp;mmer ändern...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Timeline</source>
        <translation>&amp;Zeitleiste</translation>
    </message>
    <message>
        <source>&amp;Fit Timeline</source>
        <translation>Zeitleiste &amp;einpassen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;How to program the device</source>
        <translation>&amp;Anleitung zum Programmieren des Geräts</translation>
    </message>
    <message>
        <source>Open &amp;Example</source>
        <translation>Beispiel ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>The device cannot take this program.</source>
        <translation>Das Gerät kann dieses Programm nicht übernehmen.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Tavrel - Programmable Timer</source>
        <translation>Tavrel - Programmable Timer</translation>
    </message>
    <message>
        <source>About Tavrel Programmable Timer</source>
        <translation>Über Tavrel Programmable Timer</translation>
    </message>
    <message>
        <source>Programmable Timer %1</source>
        <translation>Programmable Timer %1</translation>
    </message>
</context>
<context>
    <name>ProgramClipboard</name>
    <message>
        <source>Pasted %1.</source>
        <translation>%1 eingefügt.</translation>
    </message>
    <message>
        <source>Pasted %1 as %2: %1 is already in the program.</source>
        <translation>%1 als %2 eingefügt: %1 ist bereits im Programm.</translation>
    </message>
    <message numerus="yes">
        <source>%n timer(s) did not fit: the editor holds at most %1 timers. Delete a timer and paste again.</source>
        <translation>
            <numerusform>%n Timer passte nicht hinein: Der Editor fasst höchstens %1 Timer. Löschen Sie einen Timer und fügen Sie erneut ein.</numerusform>
            <numerusform>%n Timer passten nicht hinein: Der Editor fasst höchstens %1 Timer. Löschen Sie einen Timer und fügen Sie erneut ein.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n interval(s) did not fit: a timer holds at most %1 intervals.</source>
        <translation>
            <numerusform>%n Intervall passte nicht hinein: Ein Timer fasst höchstens %1 Intervalle.</numerusform>
            <numerusform>%n Intervalle passten nicht hinein: Ein Timer fasst höchstens %1 Intervalle.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was pasted: select a timer or one of its intervals to paste the intervals into, then paste again.</source>
        <translation>Es wurde nichts eingefügt: Wählen Sie den Timer, in den die Intervalle eingefügt werden sollen, oder eines seiner Intervalle aus und fügen Sie dann erneut ein.</translation>
    </message>
    <message>
        <source>Nothing was pasted: %1 already has %2 intervals, the most a timer holds.</source>
        <translation>Es wurde nichts eingefügt: %1 hat bereits %2 Intervalle; mehr fasst ein Timer nicht.</translation>
    </message>
    <message numerus="yes">
        <source>Pasted %n interval(s) into %1.</source>
        <translation>
            <numerusform>%n Intervall in %1 eingefügt.</numerusform>
            <numerusform>%n Intervalle in %1 eingefügt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Pasted %1 of %n interval(s) into %2; %3 did not fit: a timer holds at most %4 intervals.</source>
        <translation>
            <numerusform>%1 von %n Intervall in %2 eingefügt; für %3 war kein Platz: Ein Timer fasst höchstens %4 Intervalle.</numerusform>
            <numerusform>%1 von %n Intervallen in %2 eingefügt; für %3 war kein Platz: Ein Timer fasst höchstens %4 Intervalle.</numerusform>
        </translation>
    </message>
    <message>
        <source>Pasted %1 as %2: the device numbers its timers %3 to %4.</source>
        <translation>%1 als %2 eingefügt: Das Gerät nummeriert seine Timer von %3 bis %4.</translation>
    </message>
</context>
<context>
    <name>ProgramDialog</name>
    <message>
        <source>Program</source>
        <translation>Programmieren</translation>
    </message>
    <message numerus="yes">
        <source>About %1 for %n byte(s).</source>
        <translation>
            <numerusform>Etwa %1 für %n Byte.</numerusform>
            <numerusform>Etwa %1 für %n Bytes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>About %1 for the program&apos;s %n byte(s) (%2 with the start byte, length, block count and checksum).</source>
        <translation>
            <numerusform>Etwa %1 für %n Byte des Programms (%2 mit Startbyte, Länge, Blockanzahl und Prüfsumme).</numerusform>
            <numerusform>Etwa %1 für %n Bytes des Programms (%2 mit Startbyte, Länge, Blockanzahl und Prüfsumme).</numerusform>
        </translation>
    </message>
    <message>
        <source>Program the timer</source>
        <translation>Gerät programmieren</translation>
    </message>
    <message>
        <source>Start programming</source>
        <translation>Programmieren starten</translation>
    </message>
    <message>
        <source>Closes this window</source>
        <translation>Schließt dieses Fenster</translation>
    </message>
    <message>
        <source>Programming progress</source>
        <translation>Fortschritt der Programmierung</translation>
    </message>
    <message>
        <source>Ready to program</source>
        <translation>Bereit zum Programmieren</translation>
    </message>
    <message>
        <source>Turn the screen brightness all the way up, hold the device&apos;s sensor flat against the two panes and keep it still until “Done”.
The panes flash several times a second.</source>
        <translation>Stellen Sie die Bildschirmhelligkeit ganz hoch, halten Sie den Sensor des Geräts flach an die beiden Flächen und bewegen Sie das Gerät nicht, bis „Fertig“ erscheint.
Die Flächen blinken mehrmals pro Sekunde.</translation>
    </message>
    <message>
        <source>This screen refreshes %1 times a second; below %2 the device can mistake a one for a zero. Use a faster screen if you can.</source>
        <translation>Dieser Bildschirm hat eine Bildwiederholrate von %1 Hz; unter %2 Hz kann das Gerät eine Eins mit einer Null verwechseln. Verwenden Sie nach Möglichkeit einen schnelleren Bildschirm.</translation>
    </message>
    <message>
        <source>Starting in %1…</source>
        <translation>Start in %1…</translation>
    </message>
    <message>
        <source>Programming… %1 %, %2 left</source>
        <translation>Wird programmiert… %1 %, noch %2</translation>
    </message>
    <message numerus="yes">
        <source>Canceled: the clock failed after %1 of %n byte(s)</source>
        <translation>
            <numerusform>Abgebrochen: Der Taktgeber ist nach %1 von %n Byte ausgefallen</numerusform>
            <numerusform>Abgebrochen: Der Taktgeber ist nach %1 von %n Bytes ausgefallen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Canceled: the panes could not be seen after %1 of %n byte(s)</source>
        <translation>
            <numerusform>Abgebrochen: Die Flächen waren nach %1 von %n Byte nicht mehr sichtbar</numerusform>
            <numerusform>Abgebrochen: Die Flächen waren nach %1 von %n Bytes nicht mehr sichtbar</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Canceled after %1 of %n byte(s)</source>
        <translation>
            <numerusform>Abgebrochen nach %1 von %n Byte</numerusform>
            <numerusform>Abgebrochen nach %1 von %n Bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancel programming</source>
        <translation>Programmieren abbrechen</translation>
    </message>
    <message>
        <source>Stops sending the program</source>
        <translation>Bricht die Übertragung des Programms ab</translation>
    </message>
    <message>
        <source>Sending a program to the timer</source>
        <translation>Ein Programm wird auf das Gerät übertragen</translation>
    </message>
    <message>
        <source>Canceled before sending</source>
        <translation>Vor der Übertragung abgebrochen</translation>
    </message>
    <message>
        <source>Programming…</source>
        <translation>Wird programmiert…</translation>
    </message>
    <message numerus="yes">
        <source>Done: %n byte(s) sent in %1</source>
        <translation>
            <numerusform>Fertig: %n Byte in %1 übertragen</numerusform>
            <numerusform>Fertig: %n Bytes in %1 übertragen</numerusform>
        </translation>
    </message>
    <message>
        <source>The device takes this program, but it may not do what you meant:</source>
        <translation>Das Gerät nimmt dieses Programm an, aber es tut vielleicht nicht, was Sie meinten:</translation>
    </message>
    <message>
        <source>The swaps cannot be tied to this display&apos;s refresh here, so the device may read a bit wrong. If programming fails, try another screen.</source>
        <translation>Die Wechsel lassen sich hier nicht an die Bildwiederholung dieses Bildschirms binden, daher kann das Gerät ein Bit falsch lesen. Wenn das Programmieren fehlschlägt, nehmen Sie einen anderen Bildschirm.</translation>
    </message>
    <message>
        <source>The screen missed frames at byte %1; the device may have read it wrong. Start again.</source>
        <translation>Der Bildschirm hat bei Byte %1 Bilder ausgelassen; das Gerät hat es womöglich falsch gelesen. Bitte neu starten.</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Fertig</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Start again</source>
        <translation>&amp;Neu starten</translation>
    </message>
</context>
<context>
    <name>ProgramFit</name>
    <message>
        <source>%1st</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.</translation>
    </message>
    <message numerus="yes">
        <source>%1 (the %2 timer in the file), with %n interval(s)</source>
        <translation>
            <numerusform>%1 (der %2 Timer in der Datei) mit %n Intervall</numerusform>
            <numerusform>%1 (der %2 Timer in der Datei) mit %n Intervallen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: intervals %2 to %3</source>
        <translation>%1: Intervalle %2 bis %3</translation>
    </message>
</context>
<context>
    <name>ProgramReport</name>
    <message>
        <source>Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Block start</source>
        <translation>Blockbeginn</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>Run timer 0 on power up: yes</source>
        <translation>Timer 0 beim Einschalten starten: ja</translation>
    </message>
    <message>
        <source>Run timer 0 on power up: no</source>
        <translation>Timer 0 beim Einschalten starten: nein</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm</source>
        <extracomment>The moment the report was made, in Qt&apos;s date format letters (QDateTime::toString).</extracomment>
        <translation>dd.MM.yyyy HH:mm</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>Gedruckt am %1</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <source>Timeline (continued)</source>
        <translation>Zeitleiste (Fortsetzung)</translation>
    </message>
    <message>
        <source>Too large for the device: it needs %1 bytes, the device holds %2.</source>
        <translation>Zu groß für das Gerät: Das Programm benötigt %1 Bytes, das Gerät fasst %2.</translation>
    </message>
    <message>
        <source>Unsaved changes: this is the program as the editor shows it, not as its file holds it.</source>
        <translation>Ungespeicherte Änderungen: Dies ist das Programm im Editor, nicht das der Datei.</translation>
    </message>
    <message>
        <source>Unable to write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Unable to write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Unable to print: the printer could not start.</source>
        <translation>Drucken nicht möglich: Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <source>Problem: %1</source>
        <translation>Problem: %1</translation>
    </message>
</context>
<context>
    <name>ProgramStatus</name>
    <message>
        <source>Device &amp;memory used</source>
        <translation>&amp;Gerätespeicher belegt</translation>
    </message>
    <message>
        <source>Device memory used</source>
        <translation>Gerätespeicher belegt</translation>
    </message>
    <message>
        <source>%1 of %2 bytes: %3 over</source>
        <translation>%1 von %2 Bytes: %3 zu viel</translation>
    </message>
    <message>
        <source>%1 of %2 bytes</source>
        <translation>%1 von %2 Bytes</translation>
    </message>
    <message>
        <source>%1 of %2 bytes of device memory used</source>
        <translation>%1 von %2 Bytes Gerätespeicher belegt</translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s): %1%2</source>
        <extracomment>%1 is the first problem; %2 is &quot;…&quot; when more follow.</extracomment>
        <translation>
            <numerusform>%n Problem: %1%2</numerusform>
            <numerusform>%n Probleme: %1%2</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to list the problems (Edit &gt; Show Problems)</source>
        <translation>Klicken, um die Probleme aufzulisten (Bearbeiten &gt; Probleme anzeigen)</translation>
    </message>
    <message numerus="yes">
        <source>The program needs %n byte(s) more than the device holds. Remove intervals or blocks.</source>
        <translation>
            <numerusform>Das Programm benötigt %n Byte mehr, als das Gerät fasst. Entfernen Sie Intervalle oder Blöcke.</numerusform>
            <numerusform>Das Programm benötigt %n Bytes mehr, als das Gerät fasst. Entfernen Sie Intervalle oder Blöcke.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n warning(s): %1%2</source>
        <extracomment>%1 is the first warning; %2 is &quot;…&quot; when more follow.</extracomment>
        <translation>
            <numerusform>%n Warnung: %1%2</numerusform>
            <numerusform>%n Warnungen: %1%2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n warning(s)</source>
        <translation>
            <numerusform>%n Warnung</numerusform>
            <numerusform>%n Warnungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ProgramSummary</name>
    <message numerus="yes">
        <source>%1 of %2 bytes · %n block(s) · transfer about %3</source>
        <translation>
            <numerusform>%1 von %2 Bytes · %n Block · Übertragung etwa %3</numerusform>
            <numerusform>%1 von %2 Bytes · %n Blöcke · Übertragung etwa %3</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Prompter</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Replace it writes this program over the other change. Save As keeps both: this program goes to another file.</source>
        <translation>„Ersetzen“ überschreibt die andere Änderung mit diesem Programm. „Speichern unter…“ behält beides: Dieses Programm wird in einer anderen Datei gespeichert.</translation>
    </message>
    <message>
        <source>&amp;Replace it</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weiterer</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Change Timer Number</source>
        <translation>Timernummer ändern</translation>
    </message>
</context>
<context>
    <name>ReportActions</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Unable to print</source>
        <translation>Drucken nicht möglich</translation>
    </message>
    <message>
        <source>Unable to export to file</source>
        <translation>Exportieren nicht möglich</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>Als PDF exportieren</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>Als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
</context>
<context>
    <name>TimelineMath</name>
    <message>
        <source>%1 · interval %2 · ON %3 · from %4 to %5</source>
        <translation>%1 · Intervall %2 · EIN %3 · von %4 bis %5</translation>
    </message>
    <message>
        <source>%1 · interval %2 · OFF %3 · from %4 to %5</source>
        <translation>%1 · Intervall %2 · AUS %3 · von %4 bis %5</translation>
    </message>
</context>
<context>
    <name>TimelineView</name>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
</context>
<context>
    <name>TimerFile</name>
    <message>
        <source>not a timer or interval line</source>
        <translation>keine Timer- oder Intervallzeile</translation>
    </message>
    <message>
        <source>longer than 255 characters</source>
        <translation>länger als 255 Zeichen</translation>
    </message>
    <message>
        <source>an interval before the first timer line</source>
        <translation>ein Intervall vor der ersten Timerzeile</translation>
    </message>
    <message>
        <source>more than 8 intervals under one timer line</source>
        <translation>mehr als 8 Intervalle unter einer Timerzeile</translation>
    </message>
    <message>
        <source>not used</source>
        <translation>nicht verwendet</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; (%3)</source>
        <translation>Zeile %1: „%2“ (%3)</translation>
    </message>
    <message>
        <source>One line of %1 could not be read and was skipped:</source>
        <translation>Eine Zeile aus %1 konnte nicht gelesen werden und wurde übersprungen:</translation>
    </message>
    <message>
        <source>%1 lines of %2 could not be read and were skipped:</source>
        <translation>%1 Zeilen aus %2 konnten nicht gelesen werden und wurden übersprungen:</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>und %1 weitere.</translation>
    </message>
    <message>
        <source>The rest of the program was loaded. Saving writes it without this line.</source>
        <translation>Der Rest des Programms wurde geladen. Beim Speichern wird es ohne diese Zeile geschrieben.</translation>
    </message>
    <message>
        <source>The rest of the program was loaded. Saving writes it without these lines.</source>
        <translation>Der Rest des Programms wurde geladen. Beim Speichern wird es ohne diese Zeilen geschrieben.</translation>
    </message>
    <message>
        <source>The file could not be read (%1). Check that it exists and that you are allowed to read it.</source>
        <translation>Die Datei konnte nicht gelesen werden (%1). Prüfen Sie, ob sie existiert und ob Sie sie lesen dürfen.</translation>
    </message>
    <message>
        <source>This is not a timer file: it does not begin with the lines TVRX and 1000. Choose a file saved by the Programmable Timer.</source>
        <translation>Dies ist keine Timerdatei: Sie beginnt nicht mit den Zeilen TVRX und 1000. Wählen Sie eine Datei, die mit Programmable Timer gespeichert wurde.</translation>
    </message>
    <message>
        <source>This timer file has version %1, but only version 1000 can be read. It may come from a newer program.</source>
        <translation>Diese Timerdatei hat die Version %1, gelesen werden kann aber nur Version 1000. Sie stammt vielleicht aus einem neueren Programm.</translation>
    </message>
    <message>
        <source>The file is larger than 1 MiB, far more than any timer program takes, so it is not a timer file. Choose a file saved by the Programmable Timer.</source>
        <translation>Die Datei ist größer als 1 MiB, weit mehr, als ein Timerprogramm braucht, also ist sie keine Timerdatei. Wählen Sie eine Datei, die mit Programmable Timer gespeichert wurde.</translation>
    </message>
    <message>
        <source>not a timer file</source>
        <translation>keine Timerdatei</translation>
    </message>
    <message>
        <source>version %1 cannot be read</source>
        <translation>Version %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>larger than 1 MiB</source>
        <translation>größer als 1 MiB</translation>
    </message>
    <message>
        <source>The program has no timers, so there is nothing to save. Add a timer first.</source>
        <translation>Das Programm hat keine Timer, es gibt also nichts zu speichern. Fügen Sie zuerst einen Timer hinzu.</translation>
    </message>
    <message>
        <source>The file could not be created (%1). Check that the folder exists and that you may write to it, or choose another folder.</source>
        <translation>Die Datei konnte nicht angelegt werden (%1). Prüfen Sie, ob der Ordner existiert und ob Sie darin schreiben dürfen, oder wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Writing the file failed (%1). The file that was there is unchanged. Free some disk space or choose another folder, then save again.</source>
        <translation>Das Schreiben der Datei ist fehlgeschlagen (%1). Die bisherige Datei ist unverändert. Geben Sie Speicherplatz frei oder wählen Sie einen anderen Ordner und speichern Sie dann erneut.</translation>
    </message>
    <message>
        <source>The saved program could not replace the file (%1). The file that was there is unchanged. Check that you may write to it, or save under another name.</source>
        <translation>Das gespeicherte Programm konnte die Datei nicht ersetzen (%1). Die bisherige Datei ist unverändert. Prüfen Sie, ob Sie sie ändern dürfen, oder speichern Sie unter einem anderen Namen.</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine normale Datei</translation>
    </message>
    <message>
        <source>an interval under a timer line that could not be read</source>
        <translation>ein Intervall unter einer Timerzeile, die nicht gelesen werden konnte</translation>
    </message>
</context>
<context>
    <name>TimerListModel</name>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>Timer %1, interval %2, %3, %4</source>
        <extracomment>%1 timer, %2 interval, %3 ON or OFF, %4 the interval&apos;s time.</extracomment>
        <translation>Timer %1, Intervall %2, %3, %4</translation>
    </message>
    <message>
        <source>%1, starts a block</source>
        <translation>%1, beginnt einen Block</translation>
    </message>
    <message>
        <source>Double-click to change the timer&apos;s number</source>
        <translation>Doppelklicken, um die Nummer des Timers zu ändern</translation>
    </message>
    <message>
        <source>Click or press Space to switch between ON and OFF</source>
        <translation>Klicken oder Leertaste drücken, um zwischen EIN und AUS umzuschalten</translation>
    </message>
    <message>
        <source>Starts a new block of this timer in the device (at most 8 intervals a block, 1 byte each)</source>
        <translation>Beginnt einen neuen Block dieses Timers im Gerät (höchstens 8 Intervalle je Block, je 1 Byte)</translation>
    </message>
</context>
<context>
    <name>TimerListView</name>
    <message>
        <source>Timers</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Timer %1, interval %2 does not read. %3. Esc takes the typing back.</source>
        <extracomment>%3 is the forms an interval is typed in.</extracomment>
        <translation>Intervall %2 von Timer %1 ist nicht lesbar. %3. Esc nimmt die Eingabe zurück.</translation>
    </message>
    <message>
        <source>Timer %1, interval %2 does not read as an interval.</source>
        <translation>Intervall %2 von Timer %1 ist nicht lesbar.</translation>
    </message>
    <message>
        <source>Until it does, the program keeps its last good value and this command waits. Type it as %1, or press Esc in it to take the typing back.</source>
        <extracomment>%1 is the forms an interval is typed in.</extracomment>
        <translation>Bis dahin behält das Programm den letzten gültigen Wert, und dieser Befehl wartet. Geben Sie es als %1 ein oder drücken Sie darin Esc, um die Eingabe zurückzunehmen.</translation>
    </message>
</context>
<context>
    <name>TimerProgram</name>
    <message>
        <source>Timer %1</source>
        <translation>Timer %1</translation>
    </message>
</context>
<context>
    <name>TimerTexts</name>
    <message>
        <source>The interval does not read. Type it as HH:MM:SS or HH:MM:SS:TT.</source>
        <translation>Das Intervall ist nicht lesbar. Geben Sie es als HH:MM:SS oder HH:MM:SS:TT ein.</translation>
    </message>
    <message>
        <source>%1, for example 01:30:00 or 00:00:05:30. Nothing may follow the last number.</source>
        <extracomment>%1 is the forms an interval is typed in (HH:MM:SS or HH:MM:SS:TT: ...).</extracomment>
        <translation>%1, zum Beispiel 01:30:00 oder 00:00:05:30. Nach der letzten Zahl darf nichts folgen.</translation>
    </message>
    <message>
        <source>HH:MM:SS or HH:MM:SS:TT: hours, minutes and seconds up to %1, TT in sixtieths, 0 to %2</source>
        <translation>HH:MM:SS oder HH:MM:SS:TT: Stunden, Minuten und Sekunden bis %1, TT in Sechzigsteln, 0 bis %2</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <source>Problem: %1</source>
        <translation>Problem: %1</translation>
    </message>
</context>
<context>
    <name>TransferEstimate</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
</context>
</TS>
