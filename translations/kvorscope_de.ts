<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>kvorscope</name>
    <message>
        <source>K-VOR-PX Scope 2.42</source>
        <extracomment>panel 1 title</extracomment>
        <translation>K-VOR-PX Scope 2.42</translation>
    </message>
    <message>
        <source>Banner</source>
        <extracomment>panel 1, control 45 (decoration)</extracomment>
        <translation>Kopfleiste</translation>
    </message>
    <message>
        <source>Logo</source>
        <extracomment>panel 1, control 51 (picture)</extracomment>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Acquisition group</source>
        <extracomment>panel 1, control 90 (decoration)</extracomment>
        <translation>Gruppe Erfassung</translation>
    </message>
    <message>
        <source>Acquisition caption</source>
        <extracomment>panel 1, control 91 (text message)</extracomment>
        <translation>Überschrift Erfassung</translation>
    </message>
    <message>
        <source>Sensor and acquisition</source>
        <extracomment>panel 1, control 91 (text message)</extracomment>
        <translation>Sensor und Erfassung</translation>
    </message>
    <message>
        <source>Serial port</source>
        <extracomment>panel 1, control 2 (ring)</extracomment>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>Run</source>
        <extracomment>panel 1, control 21 (command button)</extracomment>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>panel 1, control 22 (command button)</extracomment>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Video</source>
        <extracomment>panel 1, control 23 (command button)</extracomment>
        <translation>Video</translation>
    </message>
    <message>
        <source>Strip-chart zoom</source>
        <extracomment>panel 1, control 52 (switch)</extracomment>
        <translation>Verlauf-Zoom</translation>
    </message>
    <message>
        <source>Zoom</source>
        <extracomment>panel 1, control 52 (switch)</extracomment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Full range</source>
        <extracomment>panel 1, control 52 (switch)</extracomment>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Operating mode</source>
        <extracomment>panel 1, control 56 (switch)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Betriebsart</translation>
    </message>
    <message>
        <source>HI-GAIN</source>
        <extracomment>panel 1, control 56 (switch)</extracomment>
        <translation>HI-GAIN</translation>
    </message>
    <message>
        <source>LO-GAIN</source>
        <extracomment>panel 1, control 56 (switch)</extracomment>
        <translation>LO-GAIN</translation>
    </message>
    <message>
        <source>Transfer group</source>
        <extracomment>panel 1, control 92 (decoration)</extracomment>
        <translation>Gruppe Übertragung</translation>
    </message>
    <message>
        <source>Transfer caption</source>
        <extracomment>panel 1, control 93 (text message)</extracomment>
        <translation>Überschrift Übertragung</translation>
    </message>
    <message>
        <source>Parameter transfer</source>
        <extracomment>panel 1, control 93 (text message)</extracomment>
        <translation>Parameterübertragung</translation>
    </message>
    <message>
        <source>RAM</source>
        <extracomment>panel 1, control 20 (radio button)</extracomment>
        <translation>RAM</translation>
    </message>
    <message>
        <source>EEPROM</source>
        <extracomment>panel 1, control 13 (radio button)</extracomment>
        <translation>EEPROM</translation>
    </message>
    <message>
        <source>File</source>
        <extracomment>panel 1, control 12 (radio button)</extracomment>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Send</source>
        <extracomment>panel 1, control 10 (command button)</extracomment>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Get</source>
        <extracomment>panel 1, control 3 (command button)</extracomment>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>History…</source>
        <extracomment>panel 1, control 100 (command button)</extracomment>
        <translation>Verlauf…</translation>
    </message>
    <message>
        <source>Parameters and calibration</source>
        <extracomment>panel 1, control 54 (toggle button)</extracomment>
        <translation>Parameter und Kalibrierung</translation>
    </message>
    <message>
        <source>Hide parameters &amp;&amp; calibration</source>
        <extracomment>panel 1, control 54 (toggle button)</extracomment>
        <translation>Parameter &amp;&amp; Kal. ausblenden</translation>
    </message>
    <message>
        <source>Parameters &amp;&amp; calibration...</source>
        <extracomment>panel 1, control 54 (toggle button)</extracomment>
        <translation>Parameter &amp;&amp; Kalibrierung...</translation>
    </message>
    <message>
        <source>Commands group</source>
        <extracomment>panel 1, control 94 (decoration)</extracomment>
        <translation>Gruppe Befehle</translation>
    </message>
    <message>
        <source>Commands caption</source>
        <extracomment>panel 1, control 95 (text message)</extracomment>
        <translation>Überschrift Befehle</translation>
    </message>
    <message>
        <source>Sensor commands</source>
        <extracomment>panel 1, control 95 (text message)</extracomment>
        <translation>Sensorbefehle</translation>
    </message>
    <message>
        <source>Teach setpoint</source>
        <extracomment>panel 1, control 11 (command button)</extracomment>
        <translation>Sollwert einlernen</translation>
    </message>
    <message>
        <source>Reset min/max</source>
        <extracomment>panel 1, control 5 (command button)</extracomment>
        <translation>Min/Max löschen</translation>
    </message>
    <message>
        <source>Pixel line</source>
        <extracomment>panel 1, control 50 (graph)</extracomment>
        <translation>Pixelzeile</translation>
    </message>
    <message>
        <source>pixel</source>
        <extracomment>panel 1, control 50 (graph)</extracomment>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Measurement history</source>
        <extracomment>panel 1, control 55 (strip chart)</extracomment>
        <translation>Messwertverlauf</translation>
    </message>
    <message>
        <source>Video signal</source>
        <extracomment>panel 1, control 49 (graph)</extracomment>
        <translation>Videosignal</translation>
    </message>
    <message>
        <source>virtual pixel</source>
        <extracomment>panel 1, control 49 (graph)</extracomment>
        <translation>virtuelle Pixel</translation>
    </message>
    <message>
        <source>Measurement group</source>
        <extracomment>panel 1, control 96 (decoration)</extracomment>
        <translation>Gruppe Messung</translation>
    </message>
    <message>
        <source>Measurement caption</source>
        <extracomment>panel 1, control 97 (text message)</extracomment>
        <translation>Überschrift Messung</translation>
    </message>
    <message>
        <source>Measurement</source>
        <extracomment>panel 1, control 97 (text message)</extracomment>
        <translation>Messung</translation>
    </message>
    <message>
        <source>Measuring value</source>
        <extracomment>panel 1, control 33 (numeric display)</extracomment>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Size in µm</source>
        <extracomment>panel 1, control 32 (numeric display)</extracomment>
        <translation>Größe in µm</translation>
    </message>
    <message>
        <source>Left edge</source>
        <extracomment>panel 1, control 37 (numeric display)
----------
panel 1, control 29 (ring) item</extracomment>
        <translation>Linke Kante</translation>
    </message>
    <message>
        <source>Right edge</source>
        <extracomment>panel 1, control 38 (numeric display)
----------
panel 1, control 29 (ring) item</extracomment>
        <translation>Rechte Kante</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <extracomment>panel 1, control 36 (numeric display)
----------
panel 1, control 18 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Toleranz</translation>
    </message>
    <message>
        <source>Analog output group</source>
        <extracomment>panel 1, control 53 (decoration)</extracomment>
        <translation>Gruppe Analogausgang</translation>
    </message>
    <message>
        <source>Analog output caption</source>
        <extracomment>panel 1, control 14 (text message)</extracomment>
        <translation>Überschrift Analogausgang</translation>
    </message>
    <message>
        <source>Analog output</source>
        <extracomment>panel 1, control 14 (text message)</extracomment>
        <translation>Analogausgang</translation>
    </message>
    <message>
        <source>Output value</source>
        <extracomment>panel 1, control 31 (numeric display)</extracomment>
        <translation>Ausgabewert</translation>
    </message>
    <message>
        <source>Maximum</source>
        <extracomment>panel 1, control 35 (numeric display)
----------
panel 1, control 66 (numeric display)</extracomment>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Minimum</source>
        <extracomment>panel 1, control 34 (numeric display)
----------
panel 1, control 65 (numeric display)</extracomment>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Statistics and record group</source>
        <extracomment>panel 1, control 60 (decoration)</extracomment>
        <translation>Gruppe Statistik und Aufzeichnung</translation>
    </message>
    <message>
        <source>Statistics caption</source>
        <extracomment>panel 1, control 61 (text message)</extracomment>
        <translation>Überschrift Statistik</translation>
    </message>
    <message>
        <source>Statistics and record</source>
        <extracomment>panel 1, control 61 (text message)</extracomment>
        <translation>Statistik und Aufzeichnung</translation>
    </message>
    <message>
        <source>Count</source>
        <extracomment>panel 1, control 62 (numeric display)</extracomment>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Mean</source>
        <extracomment>panel 1, control 63 (numeric display)</extracomment>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <extracomment>panel 1, control 64 (numeric display)</extracomment>
        <translation>Std.-abw.</translation>
    </message>
    <message>
        <source>In tol. %</source>
        <extracomment>panel 1, control 67 (numeric display)</extracomment>
        <translation>In Tol. %</translation>
    </message>
    <message>
        <source>Cp</source>
        <extracomment>panel 1, control 68 (numeric display)
----------
panel 4, control 7 (numeric display)</extracomment>
        <translation>Cp</translation>
    </message>
    <message>
        <source>Cpk</source>
        <extracomment>panel 1, control 69 (numeric display)
----------
panel 4, control 8 (numeric display)</extracomment>
        <translation>Cpk</translation>
    </message>
    <message>
        <source>Mean size in µm</source>
        <extracomment>panel 1, control 74 (numeric display)</extracomment>
        <translation>Mittl. Größe µm</translation>
    </message>
    <message>
        <source>Std. dev. of size in µm</source>
        <extracomment>panel 1, control 75 (numeric display)</extracomment>
        <translation>Std.-abw. Größe µm</translation>
    </message>
    <message>
        <source>Reset statistics</source>
        <extracomment>panel 1, control 70 (command button)</extracomment>
        <translation>Stat. löschen</translation>
    </message>
    <message>
        <source>Record</source>
        <extracomment>panel 1, control 71 (toggle button)</extracomment>
        <translation>Aufzeichnen</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <extracomment>panel 1, control 71 (toggle button)</extracomment>
        <translation>Aufz. beenden</translation>
    </message>
    <message>
        <source>Record…</source>
        <extracomment>panel 1, control 71 (toggle button)</extracomment>
        <translation>Aufzeichnen…</translation>
    </message>
    <message>
        <source>Save picture…</source>
        <extracomment>panel 1, control 73 (command button)</extracomment>
        <translation>Bild sichern…</translation>
    </message>
    <message>
        <source>Record state</source>
        <extracomment>panel 1, control 72 (text message)</extracomment>
        <translation>Aufzeichnungsstand</translation>
    </message>
    <message>
        <source>Answer rate caption</source>
        <extracomment>panel 1, control 79 (text message)</extracomment>
        <translation>Überschrift Antwortrate</translation>
    </message>
    <message>
        <source>Answers/s</source>
        <extracomment>panel 1, control 79 (text message)
----------
panel 1, control 76 (numeric display)</extracomment>
        <translation>Antworten/s</translation>
    </message>
    <message>
        <source>Line monitor…</source>
        <extracomment>panel 1, control 77 (command button)</extracomment>
        <translation>Monitor…</translation>
    </message>
    <message>
        <source>Gauge study…</source>
        <extracomment>panel 1, control 110 (command button)</extracomment>
        <translation>Prüfmittelfähigkeit…</translation>
    </message>
    <message>
        <source>Distribution…</source>
        <extracomment>panel 1, control 111 (command button)</extracomment>
        <translation>Verteilung…</translation>
    </message>
    <message>
        <source>Parameter group</source>
        <extracomment>panel 1, control 98 (decoration)</extracomment>
        <translation>Gruppe Parameter</translation>
    </message>
    <message>
        <source>Parameter caption</source>
        <extracomment>panel 1, control 99 (text message)</extracomment>
        <translation>Überschrift Parameter</translation>
    </message>
    <message>
        <source>Parameter set</source>
        <extracomment>panel 1, control 99 (text message)</extracomment>
        <translation>Parametersatz</translation>
    </message>
    <message>
        <source>Light power</source>
        <extracomment>panel 1, control 16 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Lichtleistung</translation>
    </message>
    <message>
        <source>Video threshold</source>
        <extracomment>panel 1, control 15 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Videoschwelle</translation>
    </message>
    <message>
        <source>Edge evaluation</source>
        <extracomment>panel 1, control 29 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Kantenauswertung</translation>
    </message>
    <message>
        <source>Centre of both edges</source>
        <extracomment>panel 1, control 29 (ring) item</extracomment>
        <translation>Mitte beider Kanten</translation>
    </message>
    <message>
        <source>Left limit</source>
        <extracomment>panel 1, control 47 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Linke Grenze</translation>
    </message>
    <message>
        <source>Right limit</source>
        <extracomment>panel 1, control 46 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Rechte Grenze</translation>
    </message>
    <message>
        <source>Polarity</source>
        <extracomment>panel 1, control 27 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Polarität</translation>
    </message>
    <message>
        <source>0 – normal</source>
        <extracomment>panel 1, control 27 (ring) item</extracomment>
        <translation>0 – normal</translation>
    </message>
    <message>
        <source>1 – inverted</source>
        <extracomment>panel 1, control 27 (ring) item</extracomment>
        <translation>1 – invers</translation>
    </message>
    <message>
        <source>Setpoint</source>
        <extracomment>panel 1, control 19 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Sollwert</translation>
    </message>
    <message>
        <source>Delta tolerance</source>
        <extracomment>panel 1, control 17 (numeric)</extracomment>
        <translation>Delta-Toleranz</translation>
    </message>
    <message>
        <source>Trigger mode</source>
        <extracomment>panel 1, control 24 (ring)</extracomment>
        <translation>Triggermodus</translation>
    </message>
    <message>
        <source>Mode 0</source>
        <extracomment>panel 1, control 24 (ring) item
----------
panel 1, control 25 (ring) item
----------
panel 1, control 26 (ring) item</extracomment>
        <translation>Modus 0</translation>
    </message>
    <message>
        <source>Mode 1</source>
        <extracomment>panel 1, control 24 (ring) item
----------
panel 1, control 25 (ring) item
----------
panel 1, control 26 (ring) item</extracomment>
        <translation>Modus 1</translation>
    </message>
    <message>
        <source>Mode 2</source>
        <extracomment>panel 1, control 24 (ring) item
----------
panel 1, control 25 (ring) item</extracomment>
        <translation>Modus 2</translation>
    </message>
    <message>
        <source>Mode 3</source>
        <extracomment>panel 1, control 24 (ring) item
----------
panel 1, control 25 (ring) item</extracomment>
        <translation>Modus 3</translation>
    </message>
    <message>
        <source>Averaging</source>
        <extracomment>panel 1, control 28 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Mittelung</translation>
    </message>
    <message>
        <source>Hardware mode</source>
        <extracomment>panel 1, control 25 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Hardwaremodus</translation>
    </message>
    <message>
        <source>Status line</source>
        <extracomment>panel 1, control 48 (text message)</extracomment>
        <translation>Statuszeile</translation>
    </message>
    <message>
        <source>Outputs group</source>
        <extracomment>panel 1, control 88 (decoration)</extracomment>
        <translation>Gruppe Ausgänge</translation>
    </message>
    <message>
        <source>Outputs caption</source>
        <extracomment>panel 1, control 89 (text message)</extracomment>
        <translation>Überschrift Ausgänge</translation>
    </message>
    <message>
        <source>Outputs</source>
        <extracomment>panel 1, control 89 (text message)</extracomment>
        <translation>Ausgänge</translation>
    </message>
    <message>
        <source>Analog output mode</source>
        <extracomment>panel 1, control 4 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Analogausgang-Modus</translation>
    </message>
    <message>
        <source>Mode 0 – value</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation>Modus 0 – Wert</translation>
    </message>
    <message>
        <source>Mode 1 – value</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation>Modus 1 – Wert</translation>
    </message>
    <message>
        <source>Mode 2 – maximum</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation>Modus 2 – Maximum</translation>
    </message>
    <message>
        <source>Mode 3 – minimum</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation>Modus 3 – Minimum</translation>
    </message>
    <message>
        <source>Mode 4 – value</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation>Modus 4 – Wert</translation>
    </message>
    <message>
        <source>Mode 5 – maximum</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation>Modus 5 – Maximum</translation>
    </message>
    <message>
        <source>Mode 6 – minimum</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation>Modus 6 – Minimum</translation>
    </message>
    <message>
        <source>Mode 7 – value</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation>Modus 7 – Wert</translation>
    </message>
    <message>
        <source>Serial output</source>
        <extracomment>panel 1, control 26 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Serielle Ausgabe</translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Parameters and calibration</source>
        <extracomment>panel 2 title</extracomment>
        <translation>K-VOR-PX Scope 2.42 – Parameter und Kalibrierung</translation>
    </message>
    <message>
        <source>Sensor</source>
        <extracomment>panel 2, control 2 (text box)</extracomment>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Calibration words group</source>
        <extracomment>panel 2, control 80 (decoration)</extracomment>
        <translation>Gruppe Kalibrierwörter</translation>
    </message>
    <message>
        <source>Factor</source>
        <extracomment>panel 2, control 20 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Faktor</translation>
    </message>
    <message>
        <source>Offset (µm)</source>
        <extracomment>panel 2, control 19 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation>Offset (µm)</translation>
    </message>
    <message>
        <source>Activate calibration</source>
        <extracomment>panel 2, control 3 (command button)</extracomment>
        <translation>Kalibr. aktivieren</translation>
    </message>
    <message>
        <source>Stop calibration</source>
        <extracomment>panel 2, control 4 (command button)</extracomment>
        <translation>Kalibr. beenden</translation>
    </message>
    <message>
        <source>Calibration objects group</source>
        <extracomment>panel 2, control 81 (decoration)</extracomment>
        <translation>Gruppe Kalibrierobjekte</translation>
    </message>
    <message>
        <source>Live caption</source>
        <extracomment>panel 2, control 82 (text message)</extracomment>
        <translation>Überschrift Live</translation>
    </message>
    <message>
        <source>Live value</source>
        <extracomment>panel 2, control 82 (text message)</extracomment>
        <translation>Live-Wert</translation>
    </message>
    <message>
        <source>Size caption</source>
        <extracomment>panel 2, control 83 (text message)</extracomment>
        <translation>Überschrift Größe</translation>
    </message>
    <message>
        <source>True size (µm)</source>
        <extracomment>panel 2, control 83 (text message)</extracomment>
        <translation>Istmaß (µm)</translation>
    </message>
    <message>
        <source>Object 1</source>
        <extracomment>panel 2, control 32 (check box)</extracomment>
        <translation>Objekt 1</translation>
    </message>
    <message>
        <source>Live value of object 1</source>
        <extracomment>panel 2, control 17 (numeric)</extracomment>
        <translation>Live-Wert Objekt 1</translation>
    </message>
    <message>
        <source>True size of object 1</source>
        <extracomment>panel 2, control 18 (numeric)</extracomment>
        <translation>Istmaß Objekt 1</translation>
    </message>
    <message>
        <source>Accept object 1</source>
        <extracomment>panel 2, control 13 (command button)</extracomment>
        <translation>Objekt 1 übernehmen</translation>
    </message>
    <message>
        <source>Object 2</source>
        <extracomment>panel 2, control 31 (check box)</extracomment>
        <translation>Objekt 2</translation>
    </message>
    <message>
        <source>Live value of object 2</source>
        <extracomment>panel 2, control 14 (numeric)</extracomment>
        <translation>Live-Wert Objekt 2</translation>
    </message>
    <message>
        <source>True size of object 2</source>
        <extracomment>panel 2, control 15 (numeric)</extracomment>
        <translation>Istmaß Objekt 2</translation>
    </message>
    <message>
        <source>Accept object 2</source>
        <extracomment>panel 2, control 9 (command button)</extracomment>
        <translation>Objekt 2 übernehmen</translation>
    </message>
    <message>
        <source>Fit line</source>
        <extracomment>panel 2, control 16 (command button)</extracomment>
        <translation>Gerade anpassen</translation>
    </message>
    <message>
        <source>Fitted slope (µm per unit)</source>
        <extracomment>panel 2, control 8 (numeric display)</extracomment>
        <translation>Steigung (µm je Einheit)</translation>
    </message>
    <message>
        <source>Fitted intercept (µm)</source>
        <extracomment>panel 2, control 7 (numeric display)</extracomment>
        <translation>Achsenabschnitt (µm)</translation>
    </message>
    <message>
        <source>Store in sensor RAM</source>
        <extracomment>panel 2, control 12 (command button)</extracomment>
        <translation>Im Sensor-RAM speichern</translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Gauge study</source>
        <extracomment>panel 3 title</extracomment>
        <translation>K-VOR-PX Scope 2.42 – Prüfmittelfähigkeit</translation>
    </message>
    <message>
        <source>Reference size ref (µm)</source>
        <extracomment>panel 3, control 2 (numeric)</extracomment>
        <translation>Referenzmaß ref (µm)</translation>
    </message>
    <message>
        <source>Tolerance T (µm)</source>
        <extracomment>panel 3, control 3 (numeric)</extracomment>
        <translation>Toleranz T (µm)</translation>
    </message>
    <message>
        <source>Readings</source>
        <extracomment>panel 3, control 4 (numeric)
----------
panel 3, control 6 (graph)</extracomment>
        <translation>Messungen</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>panel 3, control 5 (command button)</extracomment>
        <translation>Start</translation>
    </message>
    <message>
        <source>Save report…</source>
        <extracomment>panel 3, control 14 (command button)</extracomment>
        <translation>Bericht speichern…</translation>
    </message>
    <message>
        <source>Study state</source>
        <extracomment>panel 3, control 13 (text message)</extracomment>
        <translation>Stand der Untersuchung</translation>
    </message>
    <message>
        <source>reading</source>
        <extracomment>panel 3, control 6 (graph)
----------
panel 6, control 2 (graph)
----------
panel 6, control 3 (graph)</extracomment>
        <translation>Messung</translation>
    </message>
    <message>
        <source>size in µm</source>
        <extracomment>panel 3, control 6 (graph)
----------
panel 4, control 2 (graph)
----------
panel 6, control 2 (graph)</extracomment>
        <translation>Größe in µm</translation>
    </message>
    <message>
        <source>Chart legend</source>
        <extracomment>panel 3, control 20 (text message)
----------
panel 6, control 21 (text message)</extracomment>
        <translation>Legende</translation>
    </message>
    <message>
        <source>Blue: readings · green: ref · red: ref ± 0.1·T</source>
        <extracomment>panel 3, control 20 (text message)</extracomment>
        <translation>Blau: Messungen · grün: ref · rot: ref ± 0,1·T</translation>
    </message>
    <message>
        <source>Mean x̄ (µm)</source>
        <extracomment>panel 3, control 7 (numeric display)
----------
panel 4, control 4 (numeric display)</extracomment>
        <translation>Mittelwert x̄ (µm)</translation>
    </message>
    <message>
        <source>Std. dev. s (µm)</source>
        <extracomment>panel 3, control 8 (numeric display)</extracomment>
        <translation>Std.-abw. s (µm)</translation>
    </message>
    <message>
        <source>Bias x̄ − ref (µm)</source>
        <extracomment>panel 3, control 9 (numeric display)</extracomment>
        <translation>Abweichung x̄ − ref (µm)</translation>
    </message>
    <message>
        <source>Cg</source>
        <extracomment>panel 3, control 10 (numeric display)</extracomment>
        <translation>Cg</translation>
    </message>
    <message>
        <source>Cgk</source>
        <extracomment>panel 3, control 11 (numeric display)</extracomment>
        <translation>Cgk</translation>
    </message>
    <message>
        <source>Verdict rule</source>
        <extracomment>panel 3, control 21 (text message)</extracomment>
        <translation>Regel</translation>
    </message>
    <message>
        <source>Capable: Cg and Cgk ≥ 1.33</source>
        <extracomment>panel 3, control 21 (text message)</extracomment>
        <translation>Fähig: Cg und Cgk ≥ 1,33</translation>
    </message>
    <message>
        <source>Verdict</source>
        <extracomment>panel 3, control 12 (text message)</extracomment>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>–</source>
        <extracomment>panel 3, control 12 (text message)</extracomment>
        <translation>–</translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Distribution</source>
        <extracomment>panel 4 title</extracomment>
        <translation>K-VOR-PX Scope 2.42 – Verteilung</translation>
    </message>
    <message>
        <source>Size in µm since the last reset</source>
        <extracomment>panel 4, control 2 (graph)</extracomment>
        <translation>Größe in µm seit dem letzten Zurücksetzen</translation>
    </message>
    <message>
        <source>answers</source>
        <extracomment>panel 4, control 2 (graph)</extracomment>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Count n</source>
        <extracomment>panel 4, control 3 (numeric display)</extracomment>
        <translation>Anzahl n</translation>
    </message>
    <message>
        <source>σ within (µm)</source>
        <extracomment>panel 4, control 5 (numeric display)</extracomment>
        <translation>σ innerhalb (µm)</translation>
    </message>
    <message>
        <source>σ overall (µm)</source>
        <extracomment>panel 4, control 6 (numeric display)</extracomment>
        <translation>σ gesamt (µm)</translation>
    </message>
    <message>
        <source>Pp</source>
        <extracomment>panel 4, control 9 (numeric display)</extracomment>
        <translation>Pp</translation>
    </message>
    <message>
        <source>Ppk</source>
        <extracomment>panel 4, control 10 (numeric display)</extracomment>
        <translation>Ppk</translation>
    </message>
    <message>
        <source>Within note</source>
        <extracomment>panel 4, control 11 (text message)</extracomment>
        <translation>Hinweis innerhalb</translation>
    </message>
    <message>
        <source>σ within: average moving range / 1.128</source>
        <extracomment>panel 4, control 11 (text message)</extracomment>
        <translation>σ innerhalb: mittl. Spannweite / 1,128</translation>
    </message>
    <message>
        <source>Overall note</source>
        <extracomment>panel 4, control 12 (text message)</extracomment>
        <translation>Hinweis gesamt</translation>
    </message>
    <message>
        <source>σ overall: sample standard deviation</source>
        <extracomment>panel 4, control 12 (text message)</extracomment>
        <translation>σ gesamt: Stichproben-Std.-abw.</translation>
    </message>
    <message>
        <source>Capability note</source>
        <extracomment>panel 4, control 13 (text message)</extracomment>
        <translation>Hinweis Fähigkeit</translation>
    </message>
    <message>
        <source>Cp, Cpk: σ within · Pp, Ppk: σ overall</source>
        <extracomment>panel 4, control 13 (text message)</extracomment>
        <translation>Cp, Cpk: σ innerhalb · Pp, Ppk: σ gesamt</translation>
    </message>
    <message>
        <source>Limits note</source>
        <extracomment>panel 4, control 14 (text message)</extracomment>
        <translation>Hinweis Grenzen</translation>
    </message>
    <message>
        <source>Limits: setpoint ± tolerance, in µm</source>
        <extracomment>panel 4, control 14 (text message)</extracomment>
        <translation>Grenzen: Sollwert ± Toleranz, in µm</translation>
    </message>
    <message>
        <source>Legend limits</source>
        <extracomment>panel 4, control 15 (text message)</extracomment>
        <translation>Legende Grenzen</translation>
    </message>
    <message>
        <source>Red: tolerance limits</source>
        <extracomment>panel 4, control 15 (text message)</extracomment>
        <translation>Rot: Toleranzgrenzen</translation>
    </message>
    <message>
        <source>Legend mean</source>
        <extracomment>panel 4, control 16 (text message)</extracomment>
        <translation>Legende Mittelwert</translation>
    </message>
    <message>
        <source>Green: mean</source>
        <extracomment>panel 4, control 16 (text message)</extracomment>
        <translation>Grün: Mittelwert</translation>
    </message>
    <message>
        <source>Legend curve</source>
        <extracomment>panel 4, control 17 (text message)</extracomment>
        <translation>Legende Kurve</translation>
    </message>
    <message>
        <source>Black: normal curve (x̄, σ overall)</source>
        <extracomment>panel 4, control 17 (text message)</extracomment>
        <translation>Schwarz: Normalverteilung (x̄, σ gesamt)</translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Parameter history</source>
        <extracomment>panel 5 title</extracomment>
        <translation>K-VOR-PX Scope 2.42 – Parameterverlauf</translation>
    </message>
    <message>
        <source>Sensors, newest first</source>
        <extracomment>panel 5, control 2 (list box)</extracomment>
        <translation>Sensoren, neueste zuerst</translation>
    </message>
    <message>
        <source>Entries, newest first</source>
        <extracomment>panel 5, control 3 (list box)</extracomment>
        <translation>Einträge, neueste zuerst</translation>
    </message>
    <message>
        <source>EEPROM backup</source>
        <extracomment>panel 5, control 8 (text message)</extracomment>
        <translation>EEPROM-Sicherung</translation>
    </message>
    <message>
        <source>File damage</source>
        <extracomment>panel 5, control 10 (text message)</extracomment>
        <translation>Dateischäden</translation>
    </message>
    <message>
        <source>Parameters (≠: differs from the panel)</source>
        <extracomment>panel 5, control 4 (table)</extracomment>
        <translation>Parameter (≠: weicht vom Panel ab)</translation>
    </message>
    <message>
        <source>Panel</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation>Panel</translation>
    </message>
    <message>
        <source>Entry</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>RAM (read)</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation>RAM (gelesen)</translation>
    </message>
    <message>
        <source>EEPROM (read)</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation>EEPROM (gelesen)</translation>
    </message>
    <message>
        <source>Delta tol. / trigger</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation>Delta-Tol. / Trigger</translation>
    </message>
    <message>
        <source>Load into panel</source>
        <extracomment>panel 5, control 5 (command button)</extracomment>
        <translation>In Panel laden</translation>
    </message>
    <message>
        <source>Save as parameter file…</source>
        <extracomment>panel 5, control 6 (command button)</extracomment>
        <translation>Speichern unter…</translation>
    </message>
    <message>
        <source>Read sensor</source>
        <extracomment>panel 5, control 7 (command button)</extracomment>
        <translation>Sensor lesen</translation>
    </message>
    <message>
        <source>History state</source>
        <extracomment>panel 5, control 9 (text message)</extracomment>
        <translation>Stand des Verlaufs</translation>
    </message>
    <message>
        <source>InitVars</source>
        <extracomment>app/startup.cpp</extracomment>
        <translation>InitVars</translation>
    </message>
    <message>
        <source>no answer to the reset (%s)</source>
        <extracomment>cli/commands.cpp</extracomment>
        <translation>keine Antwort auf das Zurücksetzen (%s)</translation>
    </message>
    <message>
        <source>the sensor stopped answering after %d answers</source>
        <extracomment>cli/measure.cpp</extracomment>
        <translation>der Sensor antwortet nach %d Antworten nicht mehr</translation>
    </message>
    <message>
        <source>the gauge study&apos;s panel does not load</source>
        <extracomment>cli/measure.cpp</extracomment>
        <translation>das Panel der Prüfmittelfähigkeit lädt nicht</translation>
    </message>
    <message>
        <source>the study stopped after %d of %d readings</source>
        <extracomment>cli/measure.cpp</extracomment>
        <translation>die Untersuchung endete nach %d von %d Messungen</translation>
    </message>
    <message>
        <source>kvorctl: %s%s (see kvorctl --help)
</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>kvorctl: %s%s (siehe kvorctl --help)
</translation>
    </message>
    <message>
        <source>get needs --from ram or --from eeprom</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>get braucht --from ram oder --from eeprom</translation>
    </message>
    <message>
        <source>send needs --to ram or --to eeprom</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>send braucht --to ram oder --to eeprom</translation>
    </message>
    <message>
        <source>send needs a parameter file</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>send braucht eine Parameterdatei</translation>
    </message>
    <message>
        <source>measure needs one of --count, --seconds or --follow</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>measure braucht --count, --seconds oder --follow</translation>
    </message>
    <message>
        <source>gauge needs --ref and --tolerance</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>gauge braucht --ref und --tolerance</translation>
    </message>
    <message>
        <source>the tolerance must be above 0</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>die Toleranz muss größer als 0 sein</translation>
    </message>
    <message>
        <source>a gauge study takes 10 to 500 readings</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>eine Prüfmittelfähigkeit nimmt 10 bis 500 Messungen</translation>
    </message>
    <message>
        <source>backup needs --dir</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>backup braucht --dir</translation>
    </message>
    <message>
        <source>--lang takes en or de</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>--lang nimmt en oder de</translation>
    </message>
    <message>
        <source>no command given</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command: </source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>unbekannter Befehl: </translation>
    </message>
    <message>
        <source>unexpected: </source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>unerwartet: </translation>
    </message>
    <message>
        <source>a value is missing after </source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>es fehlt ein Wert nach </translation>
    </message>
    <message>
        <source>too many ports</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>zu viele Schnittstellen</translation>
    </message>
    <message>
        <source>ram or eeprom, not: </source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>ram oder eeprom, nicht: </translation>
    </message>
    <message>
        <source>--count needs a whole number above 0</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>--count braucht eine ganze Zahl größer als 0</translation>
    </message>
    <message>
        <source>--seconds needs a number above 0</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>--seconds braucht eine Zahl größer als 0</translation>
    </message>
    <message>
        <source>--format is text, csv or json, not: </source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>--format ist text, csv oder json, nicht: </translation>
    </message>
    <message>
        <source>--ref needs a number (µm)</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>--ref braucht eine Zahl (µm)</translation>
    </message>
    <message>
        <source>--tolerance needs a number (µm)</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>--tolerance braucht eine Zahl (µm)</translation>
    </message>
    <message>
        <source>--json and --format csv exclude each other</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>--json und --format csv schließen einander aus</translation>
    </message>
    <message>
        <source>cannot write %s (%s)</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>%s kann nicht geschrieben werden (%s)</translation>
    </message>
    <message>
        <source>%s is not a parameter file (16 numbers)</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>%s ist keine Parameterdatei (16 Zahlen)</translation>
    </message>
    <message>
        <source>no terminal to ask on: give --yes to write</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>kein Terminal für die Rückfrage: zum Schreiben --yes angeben</translation>
    </message>
    <message>
        <source>not written</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>nicht geschrieben</translation>
    </message>
    <message>
        <source>the set did not go out (%s)</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>der Parametersatz wurde nicht gesendet (%s)</translation>
    </message>
    <message>
        <source>word %d (%s) holds %u, written %u</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>Wort %d (%s) enthält %u, geschrieben %u</translation>
    </message>
    <message>
        <source>the %s does not hold what was written</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>das %s enthält nicht, was geschrieben wurde</translation>
    </message>
    <message>
        <source>cannot make the folder %s (%s)</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>der Ordner %s kann nicht angelegt werden (%s)</translation>
    </message>
    <message>
        <source>the folder&apos;s name is too long</source>
        <extracomment>cli/parameters.cpp</extracomment>
        <translation>der Name des Ordners ist zu lang</translation>
    </message>
    <message>
        <source>the runtime does not start</source>
        <extracomment>cli/session.cpp</extracomment>
        <translation>die Laufzeitumgebung startet nicht</translation>
    </message>
    <message>
        <source>the panel file does not load</source>
        <extracomment>cli/session.cpp</extracomment>
        <translation>die Panel-Datei lädt nicht</translation>
    </message>
    <message>
        <source>no answer (%s)</source>
        <extracomment>cli/session.cpp</extracomment>
        <translation>keine Antwort (%s)</translation>
    </message>
    <message>
        <source>no answer to %s (%s)</source>
        <extracomment>cli/session.cpp</extracomment>
        <translation>keine Antwort auf %s (%s)</translation>
    </message>
    <message>
        <source>Timeout - reading firmware info!</source>
        <extracomment>link/identify_firmware.cpp</extracomment>
        <translation>Zeitüberschreitung – Firmware-Info lesen!</translation>
    </message>
    <message>
        <source>Waiting for firmware info ...</source>
        <extracomment>link/identify_firmware.cpp</extracomment>
        <translation>Warte auf Firmware-Info ...</translation>
    </message>
    <message>
        <source>SIMULATED SENSOR (kvor-sensor-sim) - no real sensor connected</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>SIMULIERTER SENSOR (kvor-sensor-sim) – kein echter Sensor angeschlossen</translation>
    </message>
    <message>
        <source>Error reading HARDWARE-info!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Fehler beim Lesen der HARDWARE-Info!</translation>
    </message>
    <message>
        <source>Error reading firmware-info!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Fehler beim Lesen der Firmware-Info!</translation>
    </message>
    <message>
        <source>Attention !!!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Achtung !!!</translation>
    </message>
    <message>
        <source>Echo Check - Line Ok!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Echo-Prüfung – Leitung OK!</translation>
    </message>
    <message>
        <source>read error - not sync byte 0xAA!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Lesefehler – kein Sync-Byte 0xAA!</translation>
    </message>
    <message>
        <source>Init COM-Port ...</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>COM-Port wird initialisiert ...</translation>
    </message>
    <message>
        <source>K-VOR-PX-Series Parameter File</source>
        <extracomment>params/history_window.cpp
----------
params/transfer.cpp</extracomment>
        <translation>K-VOR-PX-Parameterdatei</translation>
    </message>
    <message>
        <source>Parameter-frame received! - Line Ok!</source>
        <extracomment>params/history_window.cpp
----------
params/transfer.cpp</extracomment>
        <translation>Parameterrahmen empfangen! – Leitung OK!</translation>
    </message>
    <message>
        <source>Error writing parameter file!</source>
        <extracomment>params/para_file.cpp</extracomment>
        <translation>Fehler beim Schreiben der Parameterdatei!</translation>
    </message>
    <message>
        <source>K-VOR-PX-Parameter-File</source>
        <extracomment>params/para_file.cpp</extracomment>
        <translation>K-VOR-PX-Parameterdatei</translation>
    </message>
    <message>
        <source>Error reading parameter file!</source>
        <extracomment>params/para_file.cpp</extracomment>
        <translation>Fehler beim Lesen der Parameterdatei!</translation>
    </message>
    <message>
        <source>Waiting for parameter-frame ...</source>
        <extracomment>params/transfer.cpp</extracomment>
        <translation>Warte auf Parameterrahmen ...</translation>
    </message>
    <message>
        <source>Timeout-RS-232...</source>
        <extracomment>params/settings.cpp
----------
params/transfer.cpp
----------
calib/exchange.cpp</extracomment>
        <translation>Zeitüberschreitung RS-232...</translation>
    </message>
    <message>
        <source>Transmit...</source>
        <extracomment>params/transfer.cpp</extracomment>
        <translation>Senden...</translation>
    </message>
    <message>
        <source>Line Ok!</source>
        <extracomment>params/transfer.cpp
----------
live/run_loop.cpp</extracomment>
        <translation>Leitung OK!</translation>
    </message>
    <message>
        <source>Type-1 gauge study</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Prüfmittelfähigkeit Typ 1</translation>
    </message>
    <message>
        <source>Run chart: readings (blue), ref (green), ref ± 0.1·T (red)</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Verlauf: Messungen (blau), ref (grün), ref ± 0,1·T (rot)</translation>
    </message>
    <message>
        <source>Save picture of the panel</source>
        <extracomment>live/picture.cpp</extracomment>
        <translation>Bild des Panels speichern</translation>
    </message>
    <message>
        <source>Measurement record</source>
        <extracomment>live/record.cpp</extracomment>
        <translation>Messwertaufzeichnung</translation>
    </message>
    <message>
        <source>Timeout RS232-Line!</source>
        <extracomment>live/run_loop.cpp
----------
live/video_mode.cpp</extracomment>
        <translation>Zeitüberschreitung RS232-Leitung!</translation>
    </message>
    <message>
        <source>Reset Max/Min values...</source>
        <extracomment>calib/exchange.cpp</extracomment>
        <translation>Max/Min-Werte zurücksetzen...</translation>
    </message>
    <message>
        <source>New Calibration values in activated in RAM!</source>
        <extracomment>calib/store.cpp</extracomment>
        <translation>Neue Kalibrierwerte im RAM aktiviert!</translation>
    </message>
    <message>
        <source>Calibration activated!</source>
        <extracomment>calib/workflow.cpp</extracomment>
        <translation>Kalibrierung aktiviert!</translation>
    </message>
    <message>
        <source>Calibration stopped successfully!</source>
        <extracomment>calib/workflow.cpp</extracomment>
        <translation>Kalibrierung erfolgreich beendet!</translation>
    </message>
    <message>
        <source>no permission – log in again to use group %1</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>keine Berechtigung – neu anmelden, um Gruppe %1 zu nutzen</translation>
    </message>
    <message>
        <source>no permission – join group %1, then log in again</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>keine Berechtigung – der Gruppe %1 beitreten, dann neu anmelden</translation>
    </message>
    <message>
        <source>no permission</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>keine Berechtigung</translation>
    </message>
    <message>
        <source>not there – unplugged?</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>nicht vorhanden – abgesteckt?</translation>
    </message>
    <message>
        <source>in use by %1</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>belegt von %1</translation>
    </message>
    <message>
        <source>Simulated sensor</source>
        <extracomment>runtime/serial_port_table.cpp</extracomment>
        <translation>Simulierter Sensor</translation>
    </message>
    <message>
        <source>kvorscope: --lang takes en or de
</source>
        <extracomment>ui/application_start.cpp</extracomment>
        <translation>kvorscope: --lang nimmt en oder de
</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <extracomment>ui/dialogs.cpp</extracomment>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 already exists.
Replace it?</source>
        <extracomment>ui/dialogs.cpp</extracomment>
        <translation>%1 existiert bereits.
Ersetzen?</translation>
    </message>
    <message>
        <source>Load</source>
        <extracomment>ui/dialogs.cpp</extracomment>
        <translation>Laden</translation>
    </message>
    <message>
        <source>ms since start</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>ms seit Start</translation>
    </message>
    <message>
        <source>Port</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Port</translation>
    </message>
    <message>
        <source>Dir.</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Richt.</translation>
    </message>
    <message>
        <source>Bytes</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Frame (sync, command | 16 data words), block or note</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Rahmen (Sync, Befehl | 16 Datenwörter), Block oder Hinweis</translation>
    </message>
    <message>
        <source>(no longer kept)</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>(nicht mehr gespeichert)</translation>
    </message>
    <message>
        <source>Line monitor</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Leitungsmonitor</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Save as text…</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Als Text &amp;speichern…</translation>
    </message>
    <message>
        <source>Line trace</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Leitungsprotokoll</translation>
    </message>
    <message>
        <source>Frames the scope wrote (out) and read (in), newest last</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Rahmen, die das Scope geschrieben (aus) und gelesen (ein) hat, neueste zuletzt</translation>
    </message>
    <message>
        <source>%1 entries (the last %2 are kept)</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>%1 Einträge (die letzten %2 werden behalten)</translation>
    </message>
    <message>
        <source>Paused: %1 entries listed, %2 in the trace</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Angehalten: %1 Einträge gelistet, %2 im Protokoll</translation>
    </message>
    <message>
        <source>Save the line trace</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Leitungsprotokoll speichern</translation>
    </message>
    <message>
        <source>The line trace could not be written to the file.</source>
        <extracomment>ui/line_monitor.cpp</extracomment>
        <translation>Das Leitungsprotokoll konnte nicht in die Datei geschrieben werden.</translation>
    </message>
    <message>
        <source>Sensor service: see the sensor&apos;s data sheet</source>
        <extracomment>app/banner.cpp</extracomment>
        <translation>Sensor-Service: siehe Datenblatt des Sensors</translation>
    </message>
    <message>
        <source>Scope for RS-232, 19200 baud</source>
        <extracomment>app/banner.cpp</extracomment>
        <translation>Scope für RS-232, 19200 Baud</translation>
    </message>
    <message>
        <source>K-VOR-RW-series hardware detected!
USE K-VOR-RW-Scope Software!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Hardware der K-VOR-RW-Serie erkannt!
K-VOR-RW-Scope-Software VERWENDEN!</translation>
    </message>
    <message>
        <source>K-VOR-GZ-PX-series hardware detected!
USE K-VOR-GZ-PX-Scope Software!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Hardware der K-VOR-GZ-PX-Serie erkannt!
K-VOR-GZ-PX-Scope-Software VERWENDEN!</translation>
    </message>
    <message>
        <source>K-VOR-GZ-RW-series hardware detected!
USE K-VOR-GZ-RW-Scope Software!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Hardware der K-VOR-GZ-RW-Serie erkannt!
K-VOR-GZ-RW-Scope-Software VERWENDEN!</translation>
    </message>
    <message>
        <source>Incompatible hardware detected!
Can not be used with V-UDU-DA-Rired Software!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Inkompatible Hardware erkannt!
Nicht mit der V-UDU-DA-Rired-Software verwendbar!</translation>
    </message>
    <message>
        <source>Unknown system error</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Unbekannter Systemfehler</translation>
    </message>
    <message>
        <source>Invalid port number</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Ungültige Portnummer</translation>
    </message>
    <message>
        <source>Port is not open</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Port ist nicht geöffnet</translation>
    </message>
    <message>
        <source>Unknown I/0 error</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Unbekannter E/A-Fehler</translation>
    </message>
    <message>
        <source>No serial port found</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Keine serielle Schnittstelle gefunden</translation>
    </message>
    <message>
        <source>Cannot open port</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Port kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Invalid parameter</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Ungültiger Parameter</translation>
    </message>
    <message>
        <source>Timeout</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Zeitüberschreitung</translation>
    </message>
    <message>
        <source>RS-232 error!</source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>RS-232-Fehler!</translation>
    </message>
    <message>
        <source>Waiting for Data[64] ...</source>
        <extracomment>link/video_blocks.cpp</extracomment>
        <translation>Warte auf Data[64] ...</translation>
    </message>
    <message>
        <source>Timeout-RS-232 while reading 64 data-words!</source>
        <extracomment>link/video_blocks.cpp</extracomment>
        <translation>Zeitüberschreitung RS-232 beim Lesen von 64 Datenwörtern!</translation>
    </message>
    <message>
        <source>Data[64] block received!</source>
        <extracomment>link/video_blocks.cpp</extracomment>
        <translation>Block Data[64] empfangen!</translation>
    </message>
    <message>
        <source>Waiting for Data[256] ...</source>
        <extracomment>link/video_blocks.cpp</extracomment>
        <translation>Warte auf Data[256] ...</translation>
    </message>
    <message>
        <source>Timeout-RS-232 while reading 256 data-words!</source>
        <extracomment>link/video_blocks.cpp</extracomment>
        <translation>Zeitüberschreitung RS-232 beim Lesen von 256 Datenwörtern!</translation>
    </message>
    <message>
        <source>Data[256] block received!</source>
        <extracomment>link/video_blocks.cpp</extracomment>
        <translation>Block Data[256] empfangen!</translation>
    </message>
    <message>
        <source>Parameter history stopped (%s): %s</source>
        <extracomment>params/history.cpp</extracomment>
        <translation>Parameterverlauf angehalten (%s): %s</translation>
    </message>
    <message>
        <source>read at link set-up</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>beim Verbindungsaufbau gelesen</translation>
    </message>
    <message>
        <source>unidentified</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>nicht erkannt</translation>
    </message>
    <message>
        <source> · simulated</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation> · simuliert</translation>
    </message>
    <message>
        <source>station not known</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>Station unbekannt</translation>
    </message>
    <message>
        <source>%s
not a parameter history: left as it is</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>%s
kein Parameterverlauf: unverändert gelassen</translation>
    </message>
    <message>
        <source>%s
no whole record: %d damaged lines left out</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>%s
kein vollständiger Datensatz: %d beschädigte Zeilen ausgelassen</translation>
    </message>
    <message>
        <source>%s%s
last %s%s</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>%s%s
zuletzt %s%s</translation>
    </message>
    <message>
        <source> · on the line</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation> · an der Leitung</translation>
    </message>
    <message>
        <source> · no EEPROM backup yet</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation> · noch keine EEPROM-Sicherung</translation>
    </message>
    <message>
        <source>Not a parameter history: nothing is read from it or added to it</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>Kein Parameterverlauf: es wird nichts daraus gelesen oder angefügt</translation>
    </message>
    <message>
        <source>%d damaged line%s left out</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>%d beschädigte Zeile(n)%.0s ausgelassen</translation>
    </message>
    <message>
        <source>%s%d entr%s lost %s words (marked “words lost”)</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>%s%d Eintr%.0säge mit verlorenen %s-Wörtern (markiert „words lost“)</translation>
    </message>
    <message>
        <source>EEPROM backup lost with a damaged line — Read sensor</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>EEPROM-Sicherung mit beschädigter Zeile verloren — Sensor lesen</translation>
    </message>
    <message>
        <source>no EEPROM backup known — Read sensor</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>keine EEPROM-Sicherung bekannt — Sensor lesen</translation>
    </message>
    <message>
        <source>no EEPROM backup yet — Read sensor</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>noch keine EEPROM-Sicherung — Sensor lesen</translation>
    </message>
    <message>
        <source>%s  %s  · set %d%s</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>%s  %s  · Satz %d%s</translation>
    </message>
    <message>
        <source>On the panel: %s of %s. Nothing is sent until you press Send.</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>Im Panel: %s von %s. Gesendet wird erst mit Senden.</translation>
    </message>
    <message>
        <source>Saved: %s</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>Gespeichert: %s</translation>
    </message>
    <message>
        <source>Error writing parameter file! %s</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>Fehler beim Schreiben der Parameterdatei! %s</translation>
    </message>
    <message>
        <source>RAM and EEPROM of the sensor on the line, read at %.8s</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>RAM und EEPROM des Sensors an der Leitung, gelesen um %.8s</translation>
    </message>
    <message>
        <source>Read sensor: %s (%s)</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>Sensor lesen: %s (%s)</translation>
    </message>
    <message>
        <source>RAM read, EEPROM no answer</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>RAM gelesen, EEPROM ohne Antwort</translation>
    </message>
    <message>
        <source>New setpoint value teached!</source>
        <extracomment>params/settings.cpp</extracomment>
        <translation>Neuer Sollwert eingelernt!</translation>
    </message>
    <message>
        <source>Reset of analog-output Max/Min OK!</source>
        <extracomment>params/settings.cpp</extracomment>
        <translation>Max/Min des Analogausgangs zurückgesetzt!</translation>
    </message>
    <message>
        <source>Rule 1: one point beyond 3 sigma</source>
        <extracomment>live/control_chart.cpp</extracomment>
        <translation>Regel 1: ein Punkt jenseits 3 Sigma</translation>
    </message>
    <message>
        <source>Rule 2: two of three beyond 2 sigma on one side</source>
        <extracomment>live/control_chart.cpp</extracomment>
        <translation>Regel 2: zwei von drei jenseits 2 Sigma auf einer Seite</translation>
    </message>
    <message>
        <source>Rule 3: four of five beyond 1 sigma on one side</source>
        <extracomment>live/control_chart.cpp</extracomment>
        <translation>Regel 3: vier von fünf jenseits 1 Sigma auf einer Seite</translation>
    </message>
    <message>
        <source>Rule 4: eight in a row on one side of the centre line</source>
        <extracomment>live/control_chart.cpp</extracomment>
        <translation>Regel 4: acht in Folge auf einer Seite der Mittellinie</translation>
    </message>
    <message>
        <source>Rule 5: six in a row rising or falling</source>
        <extracomment>live/control_chart.cpp</extracomment>
        <translation>Regel 5: sechs in Folge steigend oder fallend</translation>
    </message>
    <message>
        <source>Sensor: %s</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Sensor: %s</translation>
    </message>
    <message>
        <source>Port: %s</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Port: %s</translation>
    </message>
    <message>
        <source>First reading: %s    Last reading: %s</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Erste Messung: %s    Letzte Messung: %s</translation>
    </message>
    <message>
        <source>Reference size ref: %s µm    Tolerance T: %s µm</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Referenzmaß ref: %s µm    Toleranz T: %s µm</translation>
    </message>
    <message>
        <source>Readings: %s of %s sizes in µm, one measurement answer each</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Messungen: %s von %s Größen in µm, je eine Messantwort</translation>
    </message>
    <message>
        <source>Mean x̄: %s µm    Standard deviation s: %s µm</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Mittelwert x̄: %s µm    Standardabweichung s: %s µm</translation>
    </message>
    <message>
        <source>Bias x̄ − ref: %s µm</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Abweichung x̄ − ref: %s µm</translation>
    </message>
    <message>
        <source>Cg = 0.2·T / (6·s): %s    Cgk = (0.1·T − |x̄ − ref|) / (3·s): %s</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Cg = 0,2·T / (6·s): %s    Cgk = (0,1·T − |x̄ − ref|) / (3·s): %s</translation>
    </message>
    <message>
        <source>Result: %s</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Ergebnis: %s</translation>
    </message>
    <message>
        <source>Save gauge study report</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Bericht der Prüfmittelfähigkeit speichern</translation>
    </message>
    <message>
        <source>Cannot save the report to %s</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Bericht kann nicht in %s gespeichert werden</translation>
    </message>
    <message>
        <source>Report saved to %s; cannot save the readings to %s</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Bericht in %s gespeichert; Messungen können nicht in %s gespeichert werden</translation>
    </message>
    <message>
        <source>Report saved to %s and %s</source>
        <extracomment>live/gauge_report.cpp</extracomment>
        <translation>Bericht in %s und %s gespeichert</translation>
    </message>
    <message>
        <source>Reading %d of %d: keep the master part still</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>Messung %d von %d: Meisterteil ruhig halten</translation>
    </message>
    <message>
        <source>Done: %d readings</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>Fertig: %d Messungen</translation>
    </message>
    <message>
        <source>Interrupted after %d readings – press Start to begin again</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>Nach %d Messungen unterbrochen – Start beginnt neu</translation>
    </message>
    <message>
        <source>not identified</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>nicht erkannt</translation>
    </message>
    <message>
        <source>capable: Cg and Cgk both at least %.2f</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>fähig: Cg und Cgk beide mindestens %.2f</translation>
    </message>
    <message>
        <source>not capable: %s%s%s below %.2f</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>nicht fähig: %s%s%s unter %.2f</translation>
    </message>
    <message>
        <source>none: interrupted after %d of %d readings</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>keines: nach %d von %d Messungen unterbrochen</translation>
    </message>
    <message>
        <source>none: the readings do not scatter, Cg and Cgk are not defined</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>keines: die Messungen streuen nicht, Cg und Cgk sind nicht definiert</translation>
    </message>
    <message>
        <source>Place the master part, then press Start</source>
        <extracomment>live/gauge_study.cpp</extracomment>
        <translation>Meisterteil einlegen, dann Start drücken</translation>
    </message>
    <message>
        <source>Picture saved to %s</source>
        <extracomment>live/picture.cpp</extracomment>
        <translation>Bild gespeichert in %s</translation>
    </message>
    <message>
        <source>Cannot save the picture to %s</source>
        <extracomment>live/picture.cpp</extracomment>
        <translation>Bild kann nicht in %s gespeichert werden</translation>
    </message>
    <message>
        <source>%s: %.0f answers</source>
        <extracomment>live/record.cpp</extracomment>
        <translation>%s: %.0f Antworten</translation>
    </message>
    <message>
        <source>no record</source>
        <extracomment>live/record.cpp</extracomment>
        <translation>keine Aufzeichnung</translation>
    </message>
    <message>
        <source>Record ended (%s): %s is incomplete after %.0f answers</source>
        <extracomment>live/record.cpp</extracomment>
        <translation>Aufzeichnung beendet (%s): %s ist nach %.0f Antworten unvollständig</translation>
    </message>
    <message>
        <source>No record: %s (%s)</source>
        <extracomment>live/record.cpp</extracomment>
        <translation>Keine Aufzeichnung: %s (%s)</translation>
    </message>
    <message>
        <source>Recorded %.0f answers to %s</source>
        <extracomment>live/record.cpp</extracomment>
        <translation>%.0f Antworten aufgezeichnet in %s</translation>
    </message>
    <message>
        <source>Fit cannot be stored: fit is not a number!</source>
        <extracomment>calib/store.cpp</extracomment>
        <translation>Anpassung nicht speicherbar: keine Zahl!</translation>
    </message>
    <message>
        <source>Fit cannot be stored: factor out of range!</source>
        <extracomment>calib/store.cpp</extracomment>
        <translation>Anpassung nicht speicherbar: Faktor außerhalb des Bereichs!</translation>
    </message>
    <message>
        <source>Fit cannot be stored: offset out of range!</source>
        <extracomment>calib/store.cpp</extracomment>
        <translation>Anpassung nicht speicherbar: Offset außerhalb des Bereichs!</translation>
    </message>
    <message>
        <source>%s already exists.
Replace it?</source>
        <extracomment>state/replace_files.cpp</extracomment>
        <translation>%s existiert bereits.
Ersetzen?</translation>
    </message>
    <message>
        <source>These files already exist:
</source>
        <extracomment>state/replace_files.cpp</extracomment>
        <translation>Diese Dateien existieren bereits:
</translation>
    </message>
    <message>
        <source>Replace them?</source>
        <extracomment>state/replace_files.cpp</extracomment>
        <translation>Ersetzen?</translation>
    </message>
    <message>
        <source>Simulated sensor: </source>
        <extracomment>link/serial_link.cpp</extracomment>
        <translation>Simulierter Sensor: </translation>
    </message>
    <message>
        <source>Usage: kvorscope [--help | --version]
Operating program for K-VOR-PX optical line sensors on an RS-232 line.

  --lang L   the language of the windows: en (English) or de (German); the desktop&apos;s
             language (LANGUAGE, LANG) without it, English where it is neither
  --help     show this help and exit
  --version  show the version and exit

The serial port is chosen on the panel; port 1 is the first serial port found.
KVOR_COM_PORTS=PATH[:PATH...] replaces the ports found (&quot;simulated&quot; names the
simulated sensor).
</source>
        <extracomment>ui/application_start.cpp</extracomment>
        <translation>Aufruf: kvorscope [--help | --version]
Bedienprogramm für optische Zeilensensoren K-VOR-PX an einer RS-232-Leitung.

  --lang L   Sprache der Fenster: en (Englisch) oder de (Deutsch); ohne die Option die
             des Desktops (LANGUAGE, LANG), Englisch wenn es keine der beiden ist
  --help     diese Hilfe zeigen und beenden
  --version  die Version zeigen und beenden

Die serielle Schnittstelle wird im Panel gewählt; Port 1 ist die erste gefundene.
KVOR_COM_PORTS=PFAD[:PFAD...] ersetzt die gefundenen Ports (&quot;simulated&quot; steht für
den simulierten Sensor).
</translation>
    </message>
    <message>
        <source>K-VOR-PX through-beam line sensors</source>
        <extracomment>app/banner.cpp</extracomment>
        <translation>K-VOR-PX Durchlicht-Zeilensensoren</translation>
    </message>
    <message>
        <source>Get RAM</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>RAM lesen</translation>
    </message>
    <message>
        <source>Get EEPROM</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>EEPROM lesen</translation>
    </message>
    <message>
        <source>Send RAM</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>RAM senden</translation>
    </message>
    <message>
        <source>Send EEPROM</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>EEPROM senden</translation>
    </message>
    <message>
        <source>Teach</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>Einlernen</translation>
    </message>
    <message>
        <source>Store calibration</source>
        <extracomment>params/history_record.cpp</extracomment>
        <translation>Kalibrierung gespeichert</translation>
    </message>
    <message>
        <source>, words lost</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation>, Wörter verloren</translation>
    </message>
    <message>
        <source> again</source>
        <extracomment>params/history_window.cpp</extracomment>
        <translation> erneut</translation>
    </message>
    <message>
        <source>No permission to open %1 (%2 %3:%4). </source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>Keine Berechtigung, %1 zu öffnen (%2 %3:%4). </translation>
    </message>
    <message>
        <source>%1 is in group %2, but this session started before that: log out and in again (or restart the computer).</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>%1 ist in der Gruppe %2, aber diese Sitzung begann vorher: ab- und wieder anmelden (oder den Rechner neu starten).</translation>
    </message>
    <message>
        <source>%1 is not in group %2: join it with &quot;sudo usermod -aG %2 %1&quot;, then log out and in again.</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>%1 ist nicht in der Gruppe %2: mit &quot;sudo usermod -aG %2 %1&quot; beitreten, dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>No group of %1 may use it; a udev rule can give the device to group dialout (see the README).</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>Keine Gruppe von %1 darf es nutzen; eine udev-Regel kann das Gerät der Gruppe dialout geben (siehe README).</translation>
    </message>
    <message>
        <source>%1 is not there: the adapter has been unplugged, or the system took it away again. On Ubuntu-family systems brltty claims CH340 and similar adapters seconds after they are plugged in (see the README).</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>%1 ist nicht vorhanden: der Adapter wurde abgesteckt, oder das System hat ihn wieder entfernt. Auf Systemen der Ubuntu-Familie beansprucht brltty CH340 und ähnliche Adapter Sekunden nach dem Einstecken (siehe README).</translation>
    </message>
    <message>
        <source>a program</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>ein Programm</translation>
    </message>
    <message>
        <source>%1 is in use by %2. End that program or pick another port; &quot;fuser -v %1&quot; shows who holds it. Right after an adapter is plugged in this may be ModemManager probing it for a few seconds.</source>
        <extracomment>runtime/port_access.cpp</extracomment>
        <translation>%1 ist belegt von %2. Das Programm beenden oder einen anderen Port wählen; &quot;fuser -v %1&quot; zeigt, wer ihn hält. Direkt nach dem Einstecken eines Adapters kann das für einige Sekunden ModemManager sein, der ihn prüft.</translation>
    </message>
    <message>
        <source>Publish…</source>
        <extracomment>panel 1, control 120 (command button)</extracomment>
        <translation>Veröffentlichen…</translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Publish</source>
        <extracomment>panel 7 title</extracomment>
        <translation>K-VOR-PX Scope 2.42 – Veröffentlichen</translation>
    </message>
    <message>
        <source>Broker URL (mqtt://host:port or mqtts://host:port)</source>
        <extracomment>panel 7, control 2 (string)</extracomment>
        <translation>Broker-URL (mqtt://host:port oder mqtts://host:port)</translation>
    </message>
    <message>
        <source>User</source>
        <extracomment>panel 7, control 3 (string)</extracomment>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Password</source>
        <extracomment>panel 7, control 4 (string)</extracomment>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>CA file (mqtts; empty: the system&apos;s)</source>
        <extracomment>panel 7, control 5 (string)</extracomment>
        <translation>CA-Datei (mqtts; leer: die des Systems)</translation>
    </message>
    <message>
        <source>Choose…</source>
        <extracomment>panel 7, control 6 (command button)</extracomment>
        <translation>Wählen…</translation>
    </message>
    <message>
        <source>Choose CA file</source>
        <extracomment>panel 7, control 6 (command button)</extracomment>
        <translation>CA-Datei wählen</translation>
    </message>
    <message>
        <source>Topic prefix (empty: the default shown)</source>
        <extracomment>panel 7, control 7 (string)</extracomment>
        <translation>Topic-Präfix (leer: die gezeigte Vorgabe)</translation>
    </message>
    <message>
        <source>Publishing</source>
        <extracomment>panel 7, control 8 (switch)</extracomment>
        <translation>Veröffentlichen</translation>
    </message>
    <message>
        <source>On</source>
        <extracomment>panel 7, control 8 (switch)</extracomment>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>panel 7, control 8 (switch)
----------
panel 7, control 10 (text message)
----------
live/publish_window.cpp</extracomment>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Apply</source>
        <extracomment>panel 7, control 9 (command button)</extracomment>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Connection state</source>
        <extracomment>panel 7, control 10 (text message)</extracomment>
        <translation>Verbindungszustand</translation>
    </message>
    <message>
        <source>State refresh</source>
        <extracomment>panel 7, control 11 (timer)</extracomment>
        <translation>Zustand auffrischen</translation>
    </message>
    <message>
        <source>Usage: kvorctl COMMAND [--port P]... [OPTIONS]
The K-VOR-PX Scope without a window: the panel&apos;s procedures for scripts and services.

Commands:
  ports                          the serial ports as the scope&apos;s selector lists them
  identify                       link set-up and identification of the sensor
  get --from ram|eeprom [--out FILE.dat]
                                 the parameter set, every parameter by name
  send --to ram|eeprom FILE.dat [--dry-run] [--yes]
                                 shows what changes, writes, reads back and checks
  measure (--count N | --seconds S | --follow) [--format text|csv|json]
                                 one line per answer, then the statistics
  teach                          the current measuring value becomes the setpoint
  reset-minmax                   resets the analog output&apos;s minimum and maximum
  gauge --ref R --tolerance T [--count N] [--report FILE.pdf]
                                 type-1 gauge study; the exit status tells capable
  backup --dir DIR               RAM and EEPROM as parameter files, into the history

Publishing (measure): --publish URL [--topic PREFIX] [--user U] [--password-file F]
  [--cafile CA]   every answer, the statistics and the status to an MQTT broker
                (mqtt://host:port or mqtts://host:port; topics under PREFIX, by default
                kvorscope/HOST/PORT). The password comes from the file F or from the
                environment variable KVORCTL_MQTT_PASSWORD, never from the command line.
                A broker that cannot be reached holds nothing up: the messages wait.

Options:
  --port P      a COM number as the selector numbers it, a device path, or &apos;simulated&apos;
                (default 1); repeat it to work on several sensors at the same time
  --json        JSON output (JSON lines for measure)
  --lang L      the language of messages and help: en or de (default: the desktop&apos;s)
  --help        show this help and exit
  --version     show the version and exit

Exit status: 0 done; 1 the command&apos;s own failure (a set not held, not capable);
2 usage; 3 a port that cannot be opened; 4 the sensor did not answer; 5 a sensor of
another series; 6 the broker refused (user, password, certificate). With several ports,
the highest.
</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>Aufruf: kvorctl BEFEHL [--port P]... [OPTIONEN]
Das K-VOR-PX Scope ohne Fenster: die Abläufe des Panels für Skripte und Dienste.

Befehle:
  ports                          die seriellen Schnittstellen, wie die Auswahl des Scope sie listet
  identify                       Verbindungsaufbau und Erkennung des Sensors
  get --from ram|eeprom [--out DATEI.dat]
                                 der Parametersatz, jeder Parameter mit Namen
  send --to ram|eeprom DATEI.dat [--dry-run] [--yes]
                                 zeigt die Änderungen, schreibt, liest zurück und prüft
  measure (--count N | --seconds S | --follow) [--format text|csv|json]
                                 eine Zeile je Antwort, dann die Statistik
  teach                          der aktuelle Messwert wird zum Sollwert (Einlernen)
  reset-minmax                   setzt Minimum und Maximum des Analogausgangs zurück
  gauge --ref R --tolerance T [--count N] [--report DATEI.pdf]
                                 Prüfmittelfähigkeit Typ 1; der Exit-Status sagt, ob fähig
  backup --dir ORDNER            RAM und EEPROM als Parameterdateien, in den Verlauf

Veröffentlichen (measure): --publish URL [--topic PRÄFIX] [--user U] [--password-file D]
  [--cafile CA]   jede Antwort, die Statistik und den Status an einen MQTT-Broker
                (mqtt://host:port oder mqtts://host:port; Topics unter PRÄFIX, Vorgabe
                kvorscope/HOST/PORT). Das Passwort kommt aus der Datei D oder aus der
                Umgebungsvariablen KVORCTL_MQTT_PASSWORD, nie von der Befehlszeile.
                Ein nicht erreichbarer Broker hält nichts auf: die Nachrichten warten.

Optionen:
  --port P      eine COM-Nummer wie in der Auswahl, ein Gerätepfad oder &apos;simulated&apos;
                (Vorgabe 1); mehrfach für mehrere Sensoren gleichzeitig
  --json        Ausgabe als JSON (JSON-Zeilen bei measure)
  --lang L      Sprache der Meldungen und Hilfe: en oder de (Vorgabe: die des Desktops)
  --help        diese Hilfe zeigen und beenden
  --version     die Version zeigen und beenden

Exit-Status: 0 erledigt; 1 Fehler des Befehls selbst (Satz nicht gehalten, nicht fähig);
2 Aufruf; 3 Schnittstelle nicht zu öffnen; 4 Sensor antwortet nicht; 5 Sensor einer
anderen Serie; 6 Broker lehnt ab (Benutzer, Passwort, Zertifikat). Bei mehreren
Schnittstellen der höchste.
</translation>
    </message>
    <message>
        <source>--topic, --user, --password-file and --cafile go with --publish URL</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>--topic, --user, --password-file und --cafile gehören zu --publish URL</translation>
    </message>
    <message>
        <source>the broker&apos;s password comes from --password-file F or the environment variable KVORCTL_MQTT_PASSWORD, never from the command line</source>
        <extracomment>cli/options.cpp</extracomment>
        <translation>das Passwort des Brokers kommt aus --password-file D oder der Umgebungsvariablen KVORCTL_MQTT_PASSWORD, nie von der Befehlszeile</translation>
    </message>
    <message>
        <source>the broker %s refused the connection: %s</source>
        <extracomment>cli/publishing.cpp</extracomment>
        <translation>der Broker %s lehnt die Verbindung ab: %s</translation>
    </message>
    <message>
        <source>the password file %s cannot be read</source>
        <extracomment>cli/publishing.cpp</extracomment>
        <translation>die Passwortdatei %s ist nicht lesbar</translation>
    </message>
    <message>
        <source>kvorctl: %s: the broker %s cannot be reached yet (%s): measuring goes on, the messages wait
</source>
        <extracomment>cli/publishing.cpp</extracomment>
        <translation>kvorctl: %s: der Broker %s ist noch nicht erreichbar (%s): die Messung läuft weiter, die Nachrichten warten
</translation>
    </message>
    <message>
        <source>no answer</source>
        <extracomment>cli/publishing.cpp</extracomment>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>kvorctl: %s: %d messages did not reach the broker %s, %.0f were dropped while it was away
</source>
        <extracomment>cli/publishing.cpp</extracomment>
        <translation>kvorctl: %s: %d Nachrichten haben den Broker %s nicht erreicht, %.0f wurden verworfen, während er fehlte
</translation>
    </message>
    <message>
        <source>Off: %s</source>
        <extracomment>live/publish_window.cpp</extracomment>
        <translation>Aus: %s</translation>
    </message>
    <message>
        <source>Connected to %s under %s</source>
        <extracomment>live/publish_window.cpp</extracomment>
        <translation>Verbunden mit %s unter %s</translation>
    </message>
    <message>
        <source>Refused by %s: %s</source>
        <extracomment>live/publish_window.cpp</extracomment>
        <translation>Abgelehnt von %s: %s</translation>
    </message>
    <message>
        <source>Connecting to %s%s%s</source>
        <extracomment>live/publish_window.cpp</extracomment>
        <translation>Verbinde mit %s%s%s</translation>
    </message>
    <message>
        <source>
%.0f messages waiting, %.0f dropped, %.0f sent</source>
        <extracomment>live/publish_window.cpp</extracomment>
        <translation>
%.0f Nachrichten warten, %.0f verworfen, %.0f gesendet</translation>
    </message>
    <message>
        <source>Changed settings wait for Apply</source>
        <extracomment>live/publish_window.cpp</extracomment>
        <translation>Geänderte Einstellungen warten auf „Übernehmen“</translation>
    </message>
    <message>
        <source>CA certificate of the broker</source>
        <extracomment>live/publish_window.cpp</extracomment>
        <translation>CA-Zertifikat des Brokers</translation>
    </message>
    <message>
        <source>seconds back from now</source>
        <extracomment>panel 1, control 55 (strip chart)</extracomment>
        <translation>Sekunden vor jetzt</translation>
    </message>
    <message>
        <source>Pause</source>
        <extracomment>panel 1, control 121 (toggle button)</extracomment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <extracomment>panel 1, control 121 (toggle button)</extracomment>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Value axis</source>
        <extracomment>panel 1, control 123 (ring)</extracomment>
        <translation>Werteachse</translation>
    </message>
    <message>
        <source>Y: zoom switch</source>
        <extracomment>panel 1, control 123 (ring) item</extracomment>
        <translation>Y: wie Zoom</translation>
    </message>
    <message>
        <source>Y: automatic</source>
        <extracomment>panel 1, control 123 (ring) item</extracomment>
        <translation>Y: automatisch</translation>
    </message>
    <message>
        <source>Y: fixed</source>
        <extracomment>panel 1, control 123 (ring) item</extracomment>
        <translation>Y: fest</translation>
    </message>
    <message>
        <source>Value axis low</source>
        <extracomment>panel 1, control 124 (numeric)</extracomment>
        <translation>Werteachse unten</translation>
    </message>
    <message>
        <source>Value axis high</source>
        <extracomment>panel 1, control 125 (numeric)</extracomment>
        <translation>Werteachse oben</translation>
    </message>
    <message>
        <source>Control chart…</source>
        <extracomment>panel 1, control 122 (command button)</extracomment>
        <translation>Regelkarte…</translation>
    </message>
    <message>
        <source>Cursor reading</source>
        <extracomment>panel 1, control 126 (text message)</extracomment>
        <translation>Wert am Cursor</translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Control chart</source>
        <extracomment>panel 6 title</extracomment>
        <translation>K-VOR-PX Scope 2.42 – Regelkarte</translation>
    </message>
    <message>
        <source>Individuals: size in µm</source>
        <extracomment>panel 6, control 2 (graph)</extracomment>
        <translation>Einzelwerte: Größe in µm</translation>
    </message>
    <message>
        <source>Moving range in µm</source>
        <extracomment>panel 6, control 3 (graph)</extracomment>
        <translation>Gleitende Spannweite in µm</translation>
    </message>
    <message>
        <source>µm</source>
        <extracomment>panel 6, control 3 (graph)</extracomment>
        <translation>µm</translation>
    </message>
    <message>
        <source>Set limits from the next 25</source>
        <extracomment>panel 6, control 4 (command button)</extracomment>
        <translation>Grenzen aus den nächsten 25</translation>
    </message>
    <message>
        <source>Centre x̄ (µm)</source>
        <extracomment>panel 6, control 5 (numeric)</extracomment>
        <translation>Mitte x̄ (µm)</translation>
    </message>
    <message>
        <source>MR̄ (µm)</source>
        <extracomment>panel 6, control 6 (numeric)</extracomment>
        <translation>MR̄ (µm)</translation>
    </message>
    <message>
        <source>Apply entered limits</source>
        <extracomment>panel 6, control 7 (command button)</extracomment>
        <translation>Eingaben übernehmen</translation>
    </message>
    <message>
        <source>Rules caption</source>
        <extracomment>panel 6, control 20 (text message)</extracomment>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Rules</source>
        <extracomment>panel 6, control 20 (text message)</extracomment>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>1: one beyond 3σ</source>
        <extracomment>panel 6, control 8 (check box)</extracomment>
        <translation>1: einer über 3σ</translation>
    </message>
    <message>
        <source>2: two of three beyond 2σ</source>
        <extracomment>panel 6, control 9 (check box)</extracomment>
        <translation>2: zwei von drei über 2σ</translation>
    </message>
    <message>
        <source>3: four of five beyond 1σ</source>
        <extracomment>panel 6, control 10 (check box)</extracomment>
        <translation>3: vier von fünf über 1σ</translation>
    </message>
    <message>
        <source>4: eight on one side</source>
        <extracomment>panel 6, control 11 (check box)</extracomment>
        <translation>4: acht auf einer Seite</translation>
    </message>
    <message>
        <source>5: six rising or falling</source>
        <extracomment>panel 6, control 12 (check box)</extracomment>
        <translation>5: sechs steigend/fallend</translation>
    </message>
    <message>
        <source>Limits</source>
        <extracomment>panel 6, control 13 (text message)</extracomment>
        <translation>Grenzen</translation>
    </message>
    <message>
        <source>Blue: size · black: centre line · red: UCL, LCL · red numbers: the rule a point breaks</source>
        <extracomment>panel 6, control 21 (text message)</extracomment>
        <translation>Blau: Größe · schwarz: Mittellinie · rot: OEG, UEG · rote Ziffern: die Regel, die ein Punkt verletzt</translation>
    </message>
    <message>
        <source>Alarm</source>
        <extracomment>panel 6, control 14 (text message)</extracomment>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>no answer here</source>
        <extracomment>live/chart_history.cpp</extracomment>
        <translation>hier keine Antwort</translation>
    </message>
    <message>
        <source>measuring value %u, size %d µm at %s</source>
        <extracomment>live/chart_history.cpp</extracomment>
        <translation>Messwert %u, Größe %d µm um %s</translation>
    </message>
    <message>
        <source>%s — at %s, reading %d, size %.0f µm</source>
        <extracomment>live/control_window.cpp</extracomment>
        <translation>%s — um %s, Wert Nr. %d, Größe %.0f µm</translation>
    </message>
    <message>
        <source>Centre x̄ %.2f µm
UCL %.2f · LCL %.2f µm
MR̄ %.3f · MR UCL %.3f µm
σ = 2.66·MR̄/3 = %.3f µm</source>
        <extracomment>live/control_window.cpp</extracomment>
        <translation>Mitte x̄ %.2f µm
OEG %.2f · UEG %.2f µm
MR̄ %.3f · MR-OEG %.3f µm
σ = 2,66·MR̄/3 = %.3f µm</translation>
    </message>
    <message>
        <source>Setting the limits: %d of %d readings</source>
        <extracomment>live/control_window.cpp</extracomment>
        <translation>Grenzen werden gesetzt: %d von %d Werten</translation>
    </message>
    <message>
        <source>MR̄ must be above 0: the limits stay as they were</source>
        <extracomment>live/control_window.cpp</extracomment>
        <translation>MR̄ muss über 0 liegen: die Grenzen bleiben</translation>
    </message>
</context>
</TS>
