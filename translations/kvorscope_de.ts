<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>kvorscope</name>
    <message>
        <source>K-VOR-PX Scope 2.42</source>
        <extracomment>panel 1 title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Banner</source>
        <extracomment>panel 1, control 45 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo</source>
        <extracomment>panel 1, control 51 (picture)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquisition group</source>
        <extracomment>panel 1, control 90 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquisition caption</source>
        <extracomment>panel 1, control 91 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor and acquisition</source>
        <extracomment>panel 1, control 91 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial port</source>
        <extracomment>panel 1, control 2 (ring)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run</source>
        <extracomment>panel 1, control 21 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>panel 1, control 22 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video</source>
        <extracomment>panel 1, control 23 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strip-chart zoom</source>
        <extracomment>panel 1, control 52 (switch)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <extracomment>panel 1, control 52 (switch)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full range</source>
        <extracomment>panel 1, control 52 (switch)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operating mode</source>
        <extracomment>panel 1, control 56 (switch)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HI-GAIN</source>
        <extracomment>panel 1, control 56 (switch)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LO-GAIN</source>
        <extracomment>panel 1, control 56 (switch)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer group</source>
        <extracomment>panel 1, control 92 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer caption</source>
        <extracomment>panel 1, control 93 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter transfer</source>
        <extracomment>panel 1, control 93 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RAM</source>
        <extracomment>panel 1, control 20 (radio button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EEPROM</source>
        <extracomment>panel 1, control 13 (radio button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <extracomment>panel 1, control 12 (radio button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send</source>
        <extracomment>panel 1, control 10 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get</source>
        <extracomment>panel 1, control 3 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History…</source>
        <extracomment>panel 1, control 100 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameters and calibration</source>
        <extracomment>panel 1, control 54 (toggle button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide parameters &amp;&amp; calibration</source>
        <extracomment>panel 1, control 54 (toggle button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameters &amp;&amp; calibration...</source>
        <extracomment>panel 1, control 54 (toggle button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commands group</source>
        <extracomment>panel 1, control 94 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commands caption</source>
        <extracomment>panel 1, control 95 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor commands</source>
        <extracomment>panel 1, control 95 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Teach setpoint</source>
        <extracomment>panel 1, control 11 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset min/max</source>
        <extracomment>panel 1, control 5 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixel line</source>
        <extracomment>panel 1, control 50 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pixel</source>
        <extracomment>panel 1, control 50 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement history</source>
        <extracomment>panel 1, control 55 (strip chart)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video signal</source>
        <extracomment>panel 1, control 49 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>virtual pixel</source>
        <extracomment>panel 1, control 49 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement group</source>
        <extracomment>panel 1, control 96 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement caption</source>
        <extracomment>panel 1, control 97 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement</source>
        <extracomment>panel 1, control 97 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measuring value</source>
        <extracomment>panel 1, control 33 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size in µm</source>
        <extracomment>panel 1, control 32 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left edge</source>
        <extracomment>panel 1, control 37 (numeric display)
----------
panel 1, control 29 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right edge</source>
        <extracomment>panel 1, control 38 (numeric display)
----------
panel 1, control 29 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerance</source>
        <extracomment>panel 1, control 36 (numeric display)
----------
panel 1, control 18 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog output group</source>
        <extracomment>panel 1, control 53 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog output caption</source>
        <extracomment>panel 1, control 14 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog output</source>
        <extracomment>panel 1, control 14 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output value</source>
        <extracomment>panel 1, control 31 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum</source>
        <extracomment>panel 1, control 35 (numeric display)
----------
panel 1, control 66 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum</source>
        <extracomment>panel 1, control 34 (numeric display)
----------
panel 1, control 65 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics and record group</source>
        <extracomment>panel 1, control 60 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics caption</source>
        <extracomment>panel 1, control 61 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics and record</source>
        <extracomment>panel 1, control 61 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count</source>
        <extracomment>panel 1, control 62 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean</source>
        <extracomment>panel 1, control 63 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <extracomment>panel 1, control 64 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In tol. %</source>
        <extracomment>panel 1, control 67 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cp</source>
        <extracomment>panel 1, control 68 (numeric display)
----------
panel 4, control 7 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk</source>
        <extracomment>panel 1, control 69 (numeric display)
----------
panel 4, control 8 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean size in µm</source>
        <extracomment>panel 1, control 74 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Std. dev. of size in µm</source>
        <extracomment>panel 1, control 75 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset statistics</source>
        <extracomment>panel 1, control 70 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record</source>
        <extracomment>panel 1, control 71 (toggle button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop recording</source>
        <extracomment>panel 1, control 71 (toggle button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record…</source>
        <extracomment>panel 1, control 71 (toggle button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save picture…</source>
        <extracomment>panel 1, control 73 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record state</source>
        <extracomment>panel 1, control 72 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answer rate caption</source>
        <extracomment>panel 1, control 79 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answers/s</source>
        <extracomment>panel 1, control 79 (text message)
----------
panel 1, control 76 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line monitor…</source>
        <extracomment>panel 1, control 77 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gauge study…</source>
        <extracomment>panel 1, control 110 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distribution…</source>
        <extracomment>panel 1, control 111 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter group</source>
        <extracomment>panel 1, control 98 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter caption</source>
        <extracomment>panel 1, control 99 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter set</source>
        <extracomment>panel 1, control 99 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light power</source>
        <extracomment>panel 1, control 16 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video threshold</source>
        <extracomment>panel 1, control 15 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edge evaluation</source>
        <extracomment>panel 1, control 29 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centre of both edges</source>
        <extracomment>panel 1, control 29 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left limit</source>
        <extracomment>panel 1, control 47 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right limit</source>
        <extracomment>panel 1, control 46 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polarity</source>
        <extracomment>panel 1, control 27 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 – normal</source>
        <extracomment>panel 1, control 27 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 – inverted</source>
        <extracomment>panel 1, control 27 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setpoint</source>
        <extracomment>panel 1, control 19 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delta tolerance</source>
        <extracomment>panel 1, control 17 (numeric)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger mode</source>
        <extracomment>panel 1, control 24 (ring)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 0</source>
        <extracomment>panel 1, control 24 (ring) item
----------
panel 1, control 25 (ring) item
----------
panel 1, control 26 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 1</source>
        <extracomment>panel 1, control 24 (ring) item
----------
panel 1, control 25 (ring) item
----------
panel 1, control 26 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 2</source>
        <extracomment>panel 1, control 24 (ring) item
----------
panel 1, control 25 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 3</source>
        <extracomment>panel 1, control 24 (ring) item
----------
panel 1, control 25 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Averaging</source>
        <extracomment>panel 1, control 28 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hardware mode</source>
        <extracomment>panel 1, control 25 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status line</source>
        <extracomment>panel 1, control 48 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outputs group</source>
        <extracomment>panel 1, control 88 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outputs caption</source>
        <extracomment>panel 1, control 89 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outputs</source>
        <extracomment>panel 1, control 89 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog output mode</source>
        <extracomment>panel 1, control 4 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 0 – value</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 1 – value</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 2 – maximum</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 3 – minimum</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 4 – value</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 5 – maximum</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 6 – minimum</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode 7 – value</source>
        <extracomment>panel 1, control 4 (ring) item</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial output</source>
        <extracomment>panel 1, control 26 (ring)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Parameters and calibration</source>
        <extracomment>panel 2 title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor</source>
        <extracomment>panel 2, control 2 (text box)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration words group</source>
        <extracomment>panel 2, control 80 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factor</source>
        <extracomment>panel 2, control 20 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset (µm)</source>
        <extracomment>panel 2, control 19 (numeric)
----------
panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate calibration</source>
        <extracomment>panel 2, control 3 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop calibration</source>
        <extracomment>panel 2, control 4 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration objects group</source>
        <extracomment>panel 2, control 81 (decoration)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live caption</source>
        <extracomment>panel 2, control 82 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live value</source>
        <extracomment>panel 2, control 82 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size caption</source>
        <extracomment>panel 2, control 83 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>True size (µm)</source>
        <extracomment>panel 2, control 83 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object 1</source>
        <extracomment>panel 2, control 32 (check box)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live value of object 1</source>
        <extracomment>panel 2, control 17 (numeric)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>True size of object 1</source>
        <extracomment>panel 2, control 18 (numeric)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept object 1</source>
        <extracomment>panel 2, control 13 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object 2</source>
        <extracomment>panel 2, control 31 (check box)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live value of object 2</source>
        <extracomment>panel 2, control 14 (numeric)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>True size of object 2</source>
        <extracomment>panel 2, control 15 (numeric)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept object 2</source>
        <extracomment>panel 2, control 9 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit line</source>
        <extracomment>panel 2, control 16 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fitted slope (µm per unit)</source>
        <extracomment>panel 2, control 8 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fitted intercept (µm)</source>
        <extracomment>panel 2, control 7 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store in sensor RAM</source>
        <extracomment>panel 2, control 12 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Gauge study</source>
        <extracomment>panel 3 title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reference size ref (µm)</source>
        <extracomment>panel 3, control 2 (numeric)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerance T (µm)</source>
        <extracomment>panel 3, control 3 (numeric)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings</source>
        <extracomment>panel 3, control 4 (numeric)
----------
panel 3, control 6 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>panel 3, control 5 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save report…</source>
        <extracomment>panel 3, control 14 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Study state</source>
        <extracomment>panel 3, control 13 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading</source>
        <extracomment>panel 3, control 6 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>size in µm</source>
        <extracomment>panel 3, control 6 (graph)
----------
panel 4, control 2 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chart legend</source>
        <extracomment>panel 3, control 20 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue: readings · green: ref · red: ref ± 0.1·T</source>
        <extracomment>panel 3, control 20 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean x̄ (µm)</source>
        <extracomment>panel 3, control 7 (numeric display)
----------
panel 4, control 4 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Std. dev. s (µm)</source>
        <extracomment>panel 3, control 8 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bias x̄ − ref (µm)</source>
        <extracomment>panel 3, control 9 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cg</source>
        <extracomment>panel 3, control 10 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cgk</source>
        <extracomment>panel 3, control 11 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verdict rule</source>
        <extracomment>panel 3, control 21 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capable: Cg and Cgk ≥ 1.33</source>
        <extracomment>panel 3, control 21 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verdict</source>
        <extracomment>panel 3, control 12 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>–</source>
        <extracomment>panel 3, control 12 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Distribution</source>
        <extracomment>panel 4 title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size in µm since the last reset</source>
        <extracomment>panel 4, control 2 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>answers</source>
        <extracomment>panel 4, control 2 (graph)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count n</source>
        <extracomment>panel 4, control 3 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>σ within (µm)</source>
        <extracomment>panel 4, control 5 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>σ overall (µm)</source>
        <extracomment>panel 4, control 6 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pp</source>
        <extracomment>panel 4, control 9 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ppk</source>
        <extracomment>panel 4, control 10 (numeric display)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Within note</source>
        <extracomment>panel 4, control 11 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>σ within: average moving range / 1.128</source>
        <extracomment>panel 4, control 11 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overall note</source>
        <extracomment>panel 4, control 12 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>σ overall: sample standard deviation</source>
        <extracomment>panel 4, control 12 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capability note</source>
        <extracomment>panel 4, control 13 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cp, Cpk: σ within · Pp, Ppk: σ overall</source>
        <extracomment>panel 4, control 13 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limits note</source>
        <extracomment>panel 4, control 14 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limits: setpoint ± tolerance, in µm</source>
        <extracomment>panel 4, control 14 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Legend limits</source>
        <extracomment>panel 4, control 15 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red: tolerance limits</source>
        <extracomment>panel 4, control 15 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Legend mean</source>
        <extracomment>panel 4, control 16 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green: mean</source>
        <extracomment>panel 4, control 16 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Legend curve</source>
        <extracomment>panel 4, control 17 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black: normal curve (x̄, σ overall)</source>
        <extracomment>panel 4, control 17 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K-VOR-PX Scope 2.42 – Parameter history</source>
        <extracomment>panel 5 title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensors, newest first</source>
        <extracomment>panel 5, control 2 (list box)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entries, newest first</source>
        <extracomment>panel 5, control 3 (list box)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EEPROM backup</source>
        <extracomment>panel 5, control 8 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File damage</source>
        <extracomment>panel 5, control 10 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameters (≠: differs from the panel)</source>
        <extracomment>panel 5, control 4 (table)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Panel</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RAM (read)</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EEPROM (read)</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delta tol. / trigger</source>
        <extracomment>panel 5, control 4 (table) heading</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load into panel</source>
        <extracomment>panel 5, control 5 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as parameter file…</source>
        <extracomment>panel 5, control 6 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read sensor</source>
        <extracomment>panel 5, control 7 (command button)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History state</source>
        <extracomment>panel 5, control 9 (text message)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>InitVars</source>
        <extracomment>app/startup.cpp:35</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer to the reset (%s)</source>
        <extracomment>cli/commands.cpp:85</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sensor stopped answering after %d answers</source>
        <extracomment>cli/measure.cpp:103</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the gauge study&apos;s panel does not load</source>
        <extracomment>cli/measure.cpp:127</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the study stopped after %d of %d readings</source>
        <extracomment>cli/measure.cpp:134</extracomment>
        <translation type="unfinished"></translation>
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
  gauge --ref R --tolerance T [--count N]
                                 type-1 gauge study; the exit status tells capable
  backup --dir DIR               RAM and EEPROM as parameter files, into the history

Options:
  --port P      a COM number as the selector numbers it, a device path, or &apos;simulated&apos;
                (default 1); repeat it to work on several sensors at the same time
  --json        JSON output (JSON lines for measure)
  --lang L      the language of messages and help: en or de (default: the desktop&apos;s)
  --help        show this help and exit
  --version     show the version and exit

Exit status: 0 done; 1 the command&apos;s own failure (a set not held, not capable);
2 usage; 3 a port that cannot be opened; 4 the sensor did not answer; 5 a sensor of
another series. With several ports, the highest.
</source>
        <extracomment>cli/options.cpp:24</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kvorctl: %s%s (see kvorctl --help)
</source>
        <extracomment>cli/options.cpp:56</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>get needs --from ram or --from eeprom</source>
        <extracomment>cli/options.cpp:116</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send needs --to ram or --to eeprom</source>
        <extracomment>cli/options.cpp:117</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send needs a parameter file</source>
        <extracomment>cli/options.cpp:118</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>measure needs one of --count, --seconds or --follow</source>
        <extracomment>cli/options.cpp:120</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gauge needs --ref and --tolerance</source>
        <extracomment>cli/options.cpp:122</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the tolerance must be above 0</source>
        <extracomment>cli/options.cpp:123</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a gauge study takes 10 to 500 readings</source>
        <extracomment>cli/options.cpp:125</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--report: the report is drawn from the study&apos;s chart in the scope&apos;s window; save it there</source>
        <extracomment>cli/options.cpp:127</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>backup needs --dir</source>
        <extracomment>cli/options.cpp:129</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--lang takes en or de</source>
        <extracomment>cli/options.cpp:137</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no command given</source>
        <extracomment>cli/options.cpp:143</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown command: </source>
        <extracomment>cli/options.cpp:145</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected: </source>
        <extracomment>cli/options.cpp:150</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value is missing after </source>
        <extracomment>cli/options.cpp:156</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too many ports</source>
        <extracomment>cli/options.cpp:159</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ram or eeprom, not: </source>
        <extracomment>cli/options.cpp:170</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--count needs a whole number above 0</source>
        <extracomment>cli/options.cpp:182</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--seconds needs a number above 0</source>
        <extracomment>cli/options.cpp:185</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--format is text, csv or json, not: </source>
        <extracomment>cli/options.cpp:188</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--ref needs a number (µm)</source>
        <extracomment>cli/options.cpp:192</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--tolerance needs a number (µm)</source>
        <extracomment>cli/options.cpp:195</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--json and --format csv exclude each other</source>
        <extracomment>cli/options.cpp:203</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %s (%s)</source>
        <extracomment>cli/parameters.cpp:169
----------
cli/parameters.cpp:263</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s is not a parameter file (16 numbers)</source>
        <extracomment>cli/parameters.cpp:184</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no terminal to ask on: give --yes to write</source>
        <extracomment>cli/parameters.cpp:212</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not written</source>
        <extracomment>cli/parameters.cpp:213</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the set did not go out (%s)</source>
        <extracomment>cli/parameters.cpp:217</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>word %d (%s) holds %u, written %u</source>
        <extracomment>cli/parameters.cpp:224</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %s does not hold what was written</source>
        <extracomment>cli/parameters.cpp:228</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot make the folder %s (%s)</source>
        <extracomment>cli/parameters.cpp:254</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder&apos;s name is too long</source>
        <extracomment>cli/parameters.cpp:260</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the runtime does not start</source>
        <extracomment>cli/session.cpp:155</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the panel file does not load</source>
        <extracomment>cli/session.cpp:164</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer (%s)</source>
        <extracomment>cli/session.cpp:187</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer to %s (%s)</source>
        <extracomment>cli/session.cpp:196</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout - reading firmware info!</source>
        <extracomment>link/identify_firmware.cpp:35</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for firmware info ...</source>
        <extracomment>link/identify_firmware.cpp:76</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIMULATED SENSOR (kvor-sensor-sim) - no real sensor connected</source>
        <extracomment>link/serial_link.cpp:59</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading HARDWARE-info!</source>
        <extracomment>link/serial_link.cpp:83</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading firmware-info!</source>
        <extracomment>link/serial_link.cpp:87</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention !!!</source>
        <extracomment>link/serial_link.cpp:89</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Echo Check - Line Ok!</source>
        <extracomment>link/serial_link.cpp:231</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read error - not sync byte 0xAA!</source>
        <extracomment>link/serial_link.cpp:234</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Init COM-Port ...</source>
        <extracomment>link/serial_link.cpp:289</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K-VOR-PX-Series Parameter File</source>
        <extracomment>params/history_window.cpp:366
----------
params/transfer.cpp:102</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter-frame received! - Line Ok!</source>
        <extracomment>params/history_window.cpp:392
----------
params/transfer.cpp:91</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error writing parameter file!</source>
        <extracomment>params/para_file.cpp:32</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K-VOR-PX-Parameter-File</source>
        <extracomment>params/para_file.cpp:45</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading parameter file!</source>
        <extracomment>params/para_file.cpp:52</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for parameter-frame ...</source>
        <extracomment>params/transfer.cpp:63</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout-RS-232...</source>
        <extracomment>params/transfer.cpp:65
----------
calib/exchange.cpp:29</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmit...</source>
        <extracomment>params/transfer.cpp:100</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Ok!</source>
        <extracomment>params/transfer.cpp:121
----------
live/run_loop.cpp:39</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type-1 gauge study</source>
        <extracomment>live/gauge_report.cpp:39</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run chart: readings (blue), ref (green), ref ± 0.1·T (red)</source>
        <extracomment>live/gauge_report.cpp:58</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save picture of the panel</source>
        <extracomment>live/picture.cpp:16</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement record</source>
        <extracomment>live/record.cpp:107</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout RS232-Line!</source>
        <extracomment>live/run_loop.cpp:92
----------
live/video_mode.cpp:35</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Max/Min values...</source>
        <extracomment>calib/exchange.cpp:27</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Calibration values in activated in RAM!</source>
        <extracomment>calib/store.cpp:34</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration activated!</source>
        <extracomment>calib/workflow.cpp:72</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration stopped successfully!</source>
        <extracomment>calib/workflow.cpp:91</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no permission – log in again to use group %1</source>
        <extracomment>runtime/port_access.cpp:174</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no permission – join group %1, then log in again</source>
        <extracomment>runtime/port_access.cpp:180</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no permission</source>
        <extracomment>runtime/port_access.cpp:184</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not there – unplugged?</source>
        <extracomment>runtime/port_access.cpp:191</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in use by %1</source>
        <extracomment>runtime/port_access.cpp:201</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English text</source>
        <extracomment>runtime/runtime.h:34</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulated sensor</source>
        <extracomment>runtime/serial_port_table.cpp:53</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: kvorscope [--lang en|de] [--help | --version]
Operating program for K-VOR-PX optical line sensors on an RS-232 line.

  --lang L   the language of the windows: en (English) or de (German); the desktop&apos;s
             language (LANGUAGE, LANG) without it, English where it is neither
  --help     show this help and exit
  --version  show the version and exit

The serial port is chosen on the panel; port 1 is the first serial port found.
KVOR_COM_PORTS=PATH[:PATH...] replaces the ports found (&quot;simulated&quot; names the
simulated sensor).
</source>
        <extracomment>ui/application_start.cpp:20</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kvorscope: --lang takes en or de
</source>
        <extracomment>ui/application_start.cpp:66</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <extracomment>ui/dialogs.cpp:36
----------
ui/dialogs.cpp:38</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.
Replace it?</source>
        <extracomment>ui/dialogs.cpp:69</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <extracomment>ui/dialogs.cpp:99</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ms since start</source>
        <extracomment>ui/line_monitor.cpp:51</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <extracomment>ui/line_monitor.cpp:51</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dir.</source>
        <extracomment>ui/line_monitor.cpp:51</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bytes</source>
        <extracomment>ui/line_monitor.cpp:51</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame (sync, command | 16 data words), block or note</source>
        <extracomment>ui/line_monitor.cpp:52</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no longer kept)</source>
        <extracomment>ui/line_monitor.cpp:62</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line monitor</source>
        <extracomment>ui/line_monitor.cpp:118
----------
ui/line_monitor.cpp:119
----------
ui/line_monitor.cpp:239</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <extracomment>ui/line_monitor.cpp:120</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <extracomment>ui/line_monitor.cpp:122</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save as text…</source>
        <extracomment>ui/line_monitor.cpp:123</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line trace</source>
        <extracomment>ui/line_monitor.cpp:126</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames the scope wrote (out) and read (in), newest last</source>
        <extracomment>ui/line_monitor.cpp:128</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 entries (the last %2 are kept)</source>
        <extracomment>ui/line_monitor.cpp:162</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paused: %1 entries listed, %2 in the trace</source>
        <extracomment>ui/line_monitor.cpp:167</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the line trace</source>
        <extracomment>ui/line_monitor.cpp:235</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The line trace could not be written to the file.</source>
        <extracomment>ui/line_monitor.cpp:239</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
