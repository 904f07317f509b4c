<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Application</name>
    <message>
        <source>Unknown exception</source>
        <translation>Unbekannte Ausnahme</translation>
    </message>
</context>
<context>
    <name>Charts</name>
    <message>
        <source>Step responses</source>
        <translation>Sprungantworten</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Zeit, s</translation>
    </message>
    <message>
        <source>Velocity, rad/s</source>
        <translation>Geschwindigkeit, rad/s</translation>
    </message>
    <message>
        <source>±2 % band</source>
        <translation>±2-%-Band</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Aktueller Lauf</translation>
    </message>
    <message>
        <source>Setpoint</source>
        <translation>Sollwert</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Überschw., %</translation>
    </message>
    <message>
        <source>Static error, %</source>
        <translation>Bleib. Abw., %</translation>
    </message>
    <message>
        <source>Settling 2 %, ms</source>
        <translation>Ausregelz. 2 %, ms</translation>
    </message>
    <message>
        <source>Step response figures</source>
        <translation>Kennwerte der Sprungantwort</translation>
    </message>
    <message>
        <source>%1 measured</source>
        <translation>%1 gem.</translation>
    </message>
    <message>
        <source>closed form</source>
        <translation>Formel</translation>
    </message>
    <message>
        <source>main window</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Step response</source>
        <translation>Sprungantwort</translation>
    </message>
    <message>
        <source>Load velocity, rad/s</source>
        <translation>Lastgeschwindigkeit, rad/s</translation>
    </message>
    <message>
        <source>Final value ±2 %</source>
        <translation>Endwert ±2 %</translation>
    </message>
    <message>
        <source>Simulated run</source>
        <translation>Simulierter Lauf</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Geschlossene Lösung</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Rise</source>
        <translation>Anstieg</translation>
    </message>
    <message>
        <source>Settling 2 %</source>
        <translation>Ausregelung 2 %</translation>
    </message>
    <message>
        <source>Peak +%1 % at %2 s</source>
        <translation>Max. +%1 % bei %2 s</translation>
    </message>
    <message>
        <source>Rise 10-90 %: %1 s</source>
        <translation>Anstieg 10-90 %: %1 s</translation>
    </message>
    <message>
        <source>Settling 2 %: %1 s</source>
        <translation>Ausregelung 2 %: %1 s</translation>
    </message>
    <message>
        <source>Frequency response</source>
        <translation>Frequenzgang</translation>
    </message>
    <message>
        <source>Frequency ω, rad/s</source>
        <translation>Kreisfrequenz ω, rad/s</translation>
    </message>
    <message>
        <source>Magnitude, dB</source>
        <translation>Betrag, dB</translation>
    </message>
    <message>
        <source>Phase, °</source>
        <translation>Phase, °</translation>
    </message>
    <message>
        <source>Open loop |L(jω)|</source>
        <translation>Offener Kreis |L(jω)|</translation>
    </message>
    <message>
        <source>Closed loop |T(jω)|</source>
        <translation>Geschlossener Kreis |T(jω)|</translation>
    </message>
    <message>
        <source>Open loop phase ∠L(jω)</source>
        <translation>Phase offener Kreis ∠L(jω)</translation>
    </message>
    <message>
        <source>Crossover</source>
        <translation>Durchtritt</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message>
        <source>Resonance peak</source>
        <translation>Resonanzüberhöhung</translation>
    </message>
    <message>
        <source>Phase margin</source>
        <translation>Phasenreserve</translation>
    </message>
    <message>
        <source>Crossover ωc = %1 rad/s</source>
        <translation>Durchtritt ωc = %1 rad/s</translation>
    </message>
    <message>
        <source>Phase margin %1°</source>
        <translation>Phasenreserve %1°</translation>
    </message>
    <message>
        <source>Bandwidth ωb = %1 rad/s</source>
        <translation>Bandbreite ωb = %1 rad/s</translation>
    </message>
    <message>
        <source>Resonance peak +%1 dB at %2 rad/s</source>
        <translation>Resonanz +%1 dB bei %2 rad/s</translation>
    </message>
    <message>
        <source>Setpoints</source>
        <translation>Sollwerte</translation>
    </message>
    <message>
        <source>Poles</source>
        <translation>Pole</translation>
    </message>
    <message>
        <source>σ, 1/s</source>
        <translation>σ, 1/s</translation>
    </message>
    <message>
        <source>jω, rad/s</source>
        <translation>jω, rad/s</translation>
    </message>
    <message>
        <source>Targets allow</source>
        <translation>Zulässig nach Zielen</translation>
    </message>
    <message>
        <source>Natural frequency ωn</source>
        <translation>Kennkreisfrequenz ωn</translation>
    </message>
    <message>
        <source>Damping ratio ζ</source>
        <translation>Dämpfungsgrad ζ</translation>
    </message>
    <message>
        <source>Stability boundary</source>
        <translation>Stabilitätsgrenze</translation>
    </message>
    <message>
        <source>Root locus</source>
        <translation>Wurzelortskurve</translation>
    </message>
    <message>
        <source>Meets the targets</source>
        <translation>Erfüllt die Ziele</translation>
    </message>
    <message>
        <source>Critically damped</source>
        <translation>Aperiodischer Grenzfall</translation>
    </message>
    <message>
        <source>Pole at the origin</source>
        <translation>Pol im Ursprung</translation>
    </message>
    <message>
        <source>Poles at k = %1: %2</source>
        <translation>Pole bei k = %1: %2</translation>
    </message>
    <message>
        <source>k = %1: critically damped, poles meet at %2</source>
        <translation>k = %1: Grenzfall, Doppelpol %2</translation>
    </message>
    <message>
        <source>k = %1: a pole at 0, unstable below</source>
        <translation>k = %1: ein Pol bei 0, darunter instabil</translation>
    </message>
    <message>
        <source>Targets allow %1</source>
        <translation>Zulässig nach Zielen: %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>Meets the targets: k %1</source>
        <translation>Erfüllt die Ziele: k %1</translation>
    </message>
</context>
<context>
    <name>DesignSentence</name>
    <message>
        <source>all three targets</source>
        <translation>alle drei Ziele</translation>
    </message>
    <message>
        <source>all four targets</source>
        <translation>alle vier Ziele</translation>
    </message>
    <message>
        <source>all five targets</source>
        <translation>alle fünf Ziele</translation>
    </message>
    <message>
        <source>all six targets</source>
        <translation>alle sechs Ziele</translation>
    </message>
    <message>
        <source>all seven targets</source>
        <translation>alle sieben Ziele</translation>
    </message>
    <message>
        <source>the %1 target</source>
        <translation>das Ziel „%1“</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>any k</source>
        <translation>jedes k</translation>
    </message>
    <message>
        <source>k ≤ %1</source>
        <translation>k ≤ %1</translation>
    </message>
    <message>
        <source>k ≥ %1</source>
        <translation>k ≥ %1</translation>
    </message>
    <message>
        <source>k from %1 to %2</source>
        <translation>k von %1 bis %2</translation>
    </message>
    <message>
        <source>no design targets are set</source>
        <translation>keine Entwurfsziele gesetzt</translation>
    </message>
    <message>
        <source>both targets</source>
        <translation>beide Ziele</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source> or from %1 to %2</source>
        <translation> oder von %1 bis %2</translation>
    </message>
    <message>
        <source>%1 meets %2</source>
        <translation>%1 erfüllt %2</translation>
    </message>
    <message>
        <source>no k from %1 meets %2</source>
        <translation>kein k von %1 erfüllt %2</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 verlangt %2</translation>
    </message>
    <message>
        <source>no k from %1 meets them</source>
        <translation>kein k von %1 erfüllt sie</translation>
    </message>
    <message>
        <source>%1 is met by no k in the range</source>
        <translation>%1 wird von keinem k im Bereich erfüllt</translation>
    </message>
    <message>
        <source>%1 are met by no k in the range</source>
        <translation>%1 werden von keinem k im Bereich erfüllt</translation>
    </message>
</context>
<context>
    <name>DesignTargets</name>
    <message>
        <source>overshoot</source>
        <translation>Überschwingen</translation>
    </message>
    <message>
        <source>2 % settling</source>
        <translation>Ausregelzeit 2 %</translation>
    </message>
    <message>
        <source>5 % settling</source>
        <translation>Ausregelzeit 5 %</translation>
    </message>
    <message>
        <source>rise time</source>
        <translation>Anstiegszeit</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Regeldifferenz</translation>
    </message>
    <message>
        <source>damping</source>
        <translation>Dämpfung</translation>
    </message>
    <message>
        <source>phase margin</source>
        <translation>Phasenreserve</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>Floating point division by zero</source>
        <translation>Gleitkommadivision durch null</translation>
    </message>
    <message>
        <source>Invalid floating point operation</source>
        <translation>Ungültige Gleitkommaoperation</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Gleitkommaüberlauf</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>„%1“ ist keine gültige Gleitkommazahl</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>Number of gear teeth must be between 1 and 55</source>
        <translation>Die Zähnezahl muss zwischen 1 und 55 liegen</translation>
    </message>
    <message>
        <source>Cannot open scenario &quot;%1&quot;: %2: %3</source>
        <translation>Szenario „%1“ lässt sich nicht öffnen: %2: %3</translation>
    </message>
    <message>
        <source>Cannot open scenario &quot;%1&quot;: %2</source>
        <translation>Szenario „%1“ lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2</source>
        <translation>muss eine ganze Zahl von %1 bis %2 sein</translation>
    </message>
    <message>
        <source>at most %1 runs</source>
        <translation>höchstens %1 Läufe</translation>
    </message>
    <message>
        <source>not a scenario file (JSON %1 at character %2)</source>
        <translation>keine Szenariodatei (JSON %1 bei Zeichen %2)</translation>
    </message>
    <message>
        <source>the file is of format %1, written by a newer version of the program; this one reads format %2 only</source>
        <translation>die Datei hat das Format %1 und stammt von einer neueren Programmversion; diese liest nur Format %2</translation>
    </message>
    <message>
        <source>must be a number</source>
        <translation>muss eine Zahl sein</translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation>muss eine endliche Zahl sein</translation>
    </message>
    <message>
        <source>must be true or false</source>
        <translation>muss true oder false sein</translation>
    </message>
    <message>
        <source>must be a text</source>
        <translation>muss ein Text sein</translation>
    </message>
    <message>
        <source>must be an object</source>
        <translation>muss ein Objekt sein</translation>
    </message>
    <message>
        <source>must be a list</source>
        <translation>muss eine Liste sein</translation>
    </message>
    <message>
        <source>must be greater than k_from</source>
        <translation>muss größer als k_from sein</translation>
    </message>
    <message>
        <source>must be one of gain, time-constant, motor-coef, motor-inertia, load-inertia, friction, feedback, teeth, setpoint</source>
        <translation>muss einer von gain, time-constant, motor-coef, motor-inertia, load-inertia, friction, feedback, teeth, setpoint sein</translation>
    </message>
    <message>
        <source>must be above 0 and at most 10 s</source>
        <translation>muss größer als 0 und höchstens 10 s sein</translation>
    </message>
    <message>
        <source>not a scenario file (no JSON object)</source>
        <translation>keine Szenariodatei (kein JSON-Objekt)</translation>
    </message>
    <message>
        <source>missing: this is no scenario file</source>
        <translation>fehlt: das ist keine Szenariodatei</translation>
    </message>
    <message>
        <source>must be a whole number from 1</source>
        <translation>muss eine ganze Zahl ab 1 sein</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>keine solche Datei</translation>
    </message>
    <message>
        <source>it is a directory</source>
        <translation>das ist ein Verzeichnis</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>too large for a scenario file</source>
        <translation>zu groß für eine Szenariodatei</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ lässt sich nicht anlegen. %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ lässt sich nicht schreiben. %2</translation>
    </message>
    <message>
        <source>Preset velocity of load must be between %1 and %2</source>
        <translation>Der Sollwert der Last muss zwischen %1 und %2 liegen</translation>
    </message>
    <message>
        <source>Sweep count must be between %1 and %2</source>
        <translation>Die Anzahl einer Parameterreihe muss zwischen %1 und %2 liegen</translation>
    </message>
    <message>
        <source>Sweep value %1=%2: %3</source>
        <translation>Wert der Parameterreihe %1=%2: %3</translation>
    </message>
</context>
<context>
    <name>ExplorerFigures</name>
    <message>
        <source>Natural frequency ωn, rad/s</source>
        <translation>Kennkreisfrequenz ωn, rad/s</translation>
    </message>
    <message>
        <source>How fast the loop swings: ωn = √CoefVelocity, the distance of the poles from the origin.</source>
        <translation>Wie schnell der Kreis schwingt: ωn = √CoefVelocity, der Abstand der Pole vom Ursprung.</translation>
    </message>
    <message>
        <source>Damping ratio ζ</source>
        <translation>Dämpfungsgrad ζ</translation>
    </message>
    <message>
        <source>How quickly a swing dies away: ζ = CoefAccel / (2 √CoefVelocity). Below 1 the response overshoots; 1 is critical damping.</source>
        <translation>Wie schnell eine Schwingung abklingt: ζ = CoefAccel / (2 √CoefVelocity). Unter 1 schwingt die Antwort über; 1 ist der aperiodische Grenzfall.</translation>
    </message>
    <message>
        <source>Pole 1, 1/s</source>
        <translation>Pol 1, 1/s</translation>
    </message>
    <message>
        <source>A root of s² + CoefAccel·s + CoefVelocity = 0: s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity).</source>
        <translation>Eine Nullstelle von s² + CoefAccel·s + CoefVelocity = 0: s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity).</translation>
    </message>
    <message>
        <source>Pole 2, 1/s</source>
        <translation>Pol 2, 1/s</translation>
    </message>
    <message>
        <source>The other root of s² + CoefAccel·s + CoefVelocity = 0.</source>
        <translation>Die andere Nullstelle von s² + CoefAccel·s + CoefVelocity = 0.</translation>
    </message>
    <message>
        <source>Loop DC gain L(0)</source>
        <translation>Kreisverstärkung L(0)</translation>
    </message>
    <message>
        <source>The open loop&apos;s gain at rest: L(0) = k·AmpGain·MotorCoef / ViscousFriction.</source>
        <translation>Die statische Verstärkung des offenen Kreises: L(0) = k·AmpGain·MotorCoef / ViscousFriction.</translation>
    </message>
    <message>
        <source>Error at the comparator, %</source>
        <translation>Regeldifferenz, %</translation>
    </message>
    <message>
        <source>What is left at the comparator once the drive has settled, in % of the setpoint: (Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). Feedback drives it down as k rises.</source>
        <translation>Was an der Vergleichsstelle bleibt, wenn der Antrieb eingeschwungen ist, in % des Sollwerts: (Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). Die Rückführung drückt sie, je größer k wird.</translation>
    </message>
    <message>
        <source>Velocity reached ω∞, rad/s</source>
        <translation>Endgeschwindigkeit ω∞, rad/s</translation>
    </message>
    <message>
        <source>The load velocity the drive settles at: ω∞ = CoefInput·Setpoint / CoefVelocity.</source>
        <translation>Die Lastgeschwindigkeit, bei der der Antrieb einschwingt: ω∞ = CoefInput·Setpoint / CoefVelocity.</translation>
    </message>
    <message>
        <source>Velocity error, % (rises with k in this drive)</source>
        <translation>Geschw.-Fehler, % (wächst mit k)</translation>
    </message>
    <message>
        <source>(Setpoint − ω∞) / Setpoint in %. The feedback compares k·ω with the setpoint, so a larger k makes the drive settle lower: this error rises with k while the comparator&apos;s error falls.</source>
        <translation>(Setpoint − ω∞) / Setpoint in %. Die Rückführung vergleicht k·ω mit dem Sollwert, daher schwingt der Antrieb bei größerem k tiefer ein: dieser Fehler steigt mit k, während die Regeldifferenz an der Vergleichsstelle sinkt.</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Überschwingen, %</translation>
    </message>
    <message>
        <source>How far the velocity swings past its final value, in % of it: 100·exp(−πζ/√(1−ζ²)) for ζ &lt; 1, 0 otherwise.</source>
        <translation>Wie weit die Geschwindigkeit über ihren Endwert hinausschwingt, in % davon: 100·exp(−πζ/√(1−ζ²)) für ζ &lt; 1, sonst 0.</translation>
    </message>
    <message>
        <source>Peak time, s</source>
        <translation>Zeit bis zum Maximum, s</translation>
    </message>
    <message>
        <source>When the first peak comes: t = π / ωd, ωd = ωn√(1−ζ²).</source>
        <translation>Wann das erste Maximum kommt: t = π / ωd, ωd = ωn√(1−ζ²).</translation>
    </message>
    <message>
        <source>Rise time 10–90 %, s</source>
        <translation>Anstiegszeit 10–90 %, s</translation>
    </message>
    <message>
        <source>The time from 10 % to 90 % of the final value on the step response.</source>
        <translation>Die Zeit von 10 % bis 90 % des Endwerts in der Sprungantwort.</translation>
    </message>
    <message>
        <source>Settling time 2 %, s</source>
        <translation>Ausregelzeit 2 %, s</translation>
    </message>
    <message>
        <source>The time after which the velocity stays within ±2 % of its final value (about 4 / (ζωn) for a lightly damped loop).</source>
        <translation>Die Zeit, nach der die Geschwindigkeit innerhalb von ±2 % ihres Endwerts bleibt (etwa 4 / (ζωn) bei schwach gedämpftem Kreis).</translation>
    </message>
    <message>
        <source>Settling time 5 %, s</source>
        <translation>Ausregelzeit 5 %, s</translation>
    </message>
    <message>
        <source>The time after which the velocity stays within ±5 % of its final value (about 3 / (ζωn)).</source>
        <translation>Die Zeit, nach der die Geschwindigkeit innerhalb von ±5 % ihres Endwerts bleibt (etwa 3 / (ζωn)).</translation>
    </message>
    <message>
        <source>Phase margin, °</source>
        <translation>Phasenreserve, °</translation>
    </message>
    <message>
        <source>How far the open loop&apos;s phase stays from −180° where its gain is 1: 180° + ∠L(jωc).</source>
        <translation>Wie weit die Phase des offenen Kreises dort, wo seine Verstärkung 1 ist, von −180° entfernt bleibt: 180° + ∠L(jωc).</translation>
    </message>
    <message>
        <source>Crossover frequency ωc, rad/s</source>
        <translation>Durchtrittsfrequenz ωc, rad/s</translation>
    </message>
    <message>
        <source>The frequency where the open loop&apos;s gain is 1: |L(jωc)| = 1 (none when L(0) ≤ 1).</source>
        <translation>Die Frequenz, bei der die Verstärkung des offenen Kreises 1 ist: |L(jωc)| = 1 (keine, wenn L(0) ≤ 1).</translation>
    </message>
    <message>
        <source>Bandwidth, rad/s</source>
        <translation>Bandbreite, rad/s</translation>
    </message>
    <message>
        <source>The lowest frequency where the closed loop&apos;s gain falls to 1/√2 of its gain at rest: |T(jω)| = |T(0)|/√2.</source>
        <translation>Die niedrigste Frequenz, bei der die Verstärkung des geschlossenen Kreises auf 1/√2 ihres statischen Werts fällt: |T(jω)| = |T(0)|/√2.</translation>
    </message>
    <message>
        <source>Resonance peak, dB</source>
        <translation>Resonanzüberhöhung, dB</translation>
    </message>
    <message>
        <source>How far the closed loop&apos;s gain rises above its gain at rest: 20·log10(max|T| / |T(0)|) = −20·log10(2ζ√(1−ζ²)) for ζ &lt; 1/√2, 0 otherwise.</source>
        <translation>Wie weit die Verstärkung des geschlossenen Kreises über ihren statischen Wert steigt: 20·log10(max|T| / |T(0)|) = −20·log10(2ζ√(1−ζ²)) für ζ &lt; 1/√2, sonst 0.</translation>
    </message>
</context>
<context>
    <name>LabReport</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingangsgröße</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Eingangsgrößen</translation>
    </message>
    <message>
        <source>The feedback coefficient explored</source>
        <translation>Untersuchung des Rückführkoeffizienten</translation>
    </message>
    <message>
        <source>The loop at k = %1 V·s/rad, from its closed form and measured on the drive&apos;s own run from rest; k explored from %2 to %3 V·s/rad.</source>
        <translation>Der Regelkreis bei k = %1 V·s/rad, aus seiner geschlossenen Lösung berechnet und an einem eigenen Lauf des Antriebs aus dem Stillstand gemessen; k untersucht von %2 bis %3 V·s/rad.</translation>
    </message>
    <message>
        <source>The setpoint being 0, the explorer steps to %1 rad/s.</source>
        <translation>Da der Sollwert 0 ist, gibt die Untersuchung einen Sprung auf %1 rad/s vor.</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Kennwert</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Analytisch</translation>
    </message>
    <message>
        <source>Measured</source>
        <translation>Gemessen</translation>
    </message>
    <message>
        <source>Design target</source>
        <translation>Entwurfsziel</translation>
    </message>
    <message>
        <source>Design targets</source>
        <translation>Entwurfsziele</translation>
    </message>
    <message>
        <source>No design target was set.</source>
        <translation>Es wurde kein Entwurfsziel gesetzt.</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Grenzwert</translation>
    </message>
    <message>
        <source>At this k</source>
        <translation>Bei diesem k</translation>
    </message>
    <message>
        <source>Answer: %1</source>
        <translation>Antwort: %1</translation>
    </message>
    <message>
        <source>Runs</source>
        <translation>Läufe</translation>
    </message>
    <message>
        <source>No run was kept.</source>
        <translation>Es wurde kein Lauf behalten.</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Key figures: measured on the run / from the loop&apos;s closed form; — where the run does not reach the figure.</source>
        <translation>Kennwerte: gemessen am Lauf / aus der geschlossenen Lösung des Kreises; — wo der Lauf den Kennwert nicht erreicht.</translation>
    </message>
    <message>
        <source>Lab report</source>
        <translation>Laborbericht</translation>
    </message>
    <message>
        <source>Student</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Step responses</source>
        <translation>Sprungantworten</translation>
    </message>
    <message>
        <source>Sweep of %1</source>
        <translation>Parameterreihe über %1</translation>
    </message>
    <message>
        <source>Sweep of %1: %2 runs from %3 to %4</source>
        <translation>Parameterreihe über %1: %2 Läufe von %3 bis %4</translation>
    </message>
    <message>
        <source>DriveSim lab report</source>
        <translation>DriveSim-Laborbericht</translation>
    </message>
</context>
<context>
    <name>LabRuns</name>
    <message>
        <source>k =</source>
        <translation>k =</translation>
    </message>
    <message>
        <source>gain</source>
        <translation>Verstärkung</translation>
    </message>
    <message>
        <source>time constant</source>
        <translation>Zeitkonstante</translation>
    </message>
    <message>
        <source>motor coef.</source>
        <translation>Motorkoeff.</translation>
    </message>
    <message>
        <source>motor inertia</source>
        <translation>Motorträgheit</translation>
    </message>
    <message>
        <source>load inertia</source>
        <translation>Lastträgheit</translation>
    </message>
    <message>
        <source>friction</source>
        <translation>Reibung</translation>
    </message>
    <message>
        <source>teeth</source>
        <translation>Zähne</translation>
    </message>
    <message>
        <source>setpoint</source>
        <translation>Sollwert</translation>
    </message>
    <message>
        <source>inputs changed at t = %1 s</source>
        <translation>Eingaben geändert bei t = %1 s</translation>
    </message>
    <message>
        <source>at t = %1 s: %2</source>
        <translation>bei t = %1 s: %2</translation>
    </message>
    <message>
        <source>in tick %1: %2</source>
        <translation>in Schritt %1: %2</translation>
    </message>
</context>
<context>
    <name>LabTable</name>
    <message>
        <source>settled</source>
        <translation>eingeschwungen</translation>
    </message>
    <message>
        <source>not settled</source>
        <translation>nicht eingeschwungen</translation>
    </message>
    <message>
        <source>no response</source>
        <translation>keine Reaktion</translation>
    </message>
    <message>
        <source>unstable</source>
        <translation>instabil</translation>
    </message>
    <message>
        <source>diverged</source>
        <translation>divergiert</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Überschwingen, %</translation>
    </message>
    <message>
        <source>Peak time, ms</source>
        <translation>Zeit bis Maximum, ms</translation>
    </message>
    <message>
        <source>Rise time, ms</source>
        <translation>Anstiegszeit, ms</translation>
    </message>
    <message>
        <source>Settling 2 %, ms</source>
        <translation>Ausregelzeit 2 %, ms</translation>
    </message>
    <message>
        <source>Static error, %</source>
        <translation>Bleibende Regelabweichung, %</translation>
    </message>
    <message>
        <source>Settling 5 %, ms
measured</source>
        <translation>Ausregelzeit 5 %, ms
gemessen</translation>
    </message>
    <message>
        <source>Settling 5 %, ms
theory</source>
        <translation>Ausregelzeit 5 %, ms
Theorie</translation>
    </message>
    <message>
        <source>Crossings</source>
        <translation>Durchgänge</translation>
    </message>
    <message>
        <source>Damping
ratio</source>
        <translation>Dämpfungs-
grad</translation>
    </message>
    <message>
        <source>Natural freq.,
rad/s</source>
        <translation>Kennkreisfreq.,
rad/s</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Lauf</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>meas. / theory</source>
        <translation>gem. / Theorie</translation>
    </message>
    <message>
        <source>%1 measured	%1 theory</source>
        <translation>%1 gemessen	%1 Theorie</translation>
    </message>
</context>
<context>
    <name>Sweep</name>
    <message>
        <source>Gain</source>
        <translation>Verstärkung</translation>
    </message>
    <message>
        <source>Time constant, s</source>
        <translation>Zeitkonstante, s</translation>
    </message>
    <message>
        <source>Motor coefficient, rad/sV</source>
        <translation>Motorkonstante, rad/sV</translation>
    </message>
    <message>
        <source>Motor moment of inertia, kgm2</source>
        <translation>Trägheitsmoment des Motors, kgm2</translation>
    </message>
    <message>
        <source>Load moment of inertia, kgm2</source>
        <translation>Trägheitsmoment der Last, kgm2</translation>
    </message>
    <message>
        <source>Coefficient of viscous friction, Nms/rad</source>
        <translation>Koeffizient der viskosen Reibung, Nms/rad</translation>
    </message>
    <message>
        <source>Feedback coefficient, Vs/rad</source>
        <translation>Rückführkoeffizient, Vs/rad</translation>
    </message>
    <message>
        <source>Number of gear teeth</source>
        <translation>Zähnezahl des Zahnrads</translation>
    </message>
    <message>
        <source>Preset velocity of load, rad/s</source>
        <translation>Sollwert der Last, rad/s</translation>
    </message>
</context>
<context>
    <name>SweepName</name>
    <message>
        <source>gain</source>
        <translation>Verstärkung</translation>
    </message>
    <message>
        <source>time-constant</source>
        <translation>Zeitkonstante</translation>
    </message>
    <message>
        <source>motor-coef</source>
        <translation>Motorkonstante</translation>
    </message>
    <message>
        <source>motor-inertia</source>
        <translation>Motorträgheit</translation>
    </message>
    <message>
        <source>load-inertia</source>
        <translation>Lastträgheit</translation>
    </message>
    <message>
        <source>friction</source>
        <translation>Reibung</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>Rückführung</translation>
    </message>
    <message>
        <source>teeth</source>
        <translation>Zähne</translation>
    </message>
    <message>
        <source>setpoint</source>
        <translation>Sollwert</translation>
    </message>
</context>
<context>
    <name>TExplorerWindow</name>
    <message>
        <source>Explore the feedback coefficient</source>
        <translation>Rückführkoeffizient untersuchen</translation>
    </message>
    <message>
        <source>Amplifier gain</source>
        <translation>Verstärkung (Verstärker)</translation>
    </message>
    <message>
        <source>Amplifier time constant, s</source>
        <translation>Zeitkonstante (Verstärker), s</translation>
    </message>
    <message>
        <source>Motor coefficient, rad/(s·V)</source>
        <translation>Motorkonstante, rad/(s·V)</translation>
    </message>
    <message>
        <source>Motor inertia, kg·m²</source>
        <translation>Trägheitsmoment des Motors, kg·m²</translation>
    </message>
    <message>
        <source>Load inertia, kg·m²</source>
        <translation>Trägheitsmoment der Last, kg·m²</translation>
    </message>
    <message>
        <source>Viscous friction, N·m·s/rad</source>
        <translation>Viskose Reibung, N·m·s/rad</translation>
    </message>
    <message>
        <source>Overshoot ≤, %</source>
        <translation>Überschwingen ≤, %</translation>
    </message>
    <message>
        <source>Settling 2 % ≤, s</source>
        <translation>Ausregelzeit 2 % ≤, s</translation>
    </message>
    <message>
        <source>Settling 5 % ≤, s</source>
        <translation>Ausregelzeit 5 % ≤, s</translation>
    </message>
    <message>
        <source>Rise time ≤, s</source>
        <translation>Anstiegszeit ≤, s</translation>
    </message>
    <message>
        <source>Comparator error ≤, %</source>
        <translation>Regeldifferenz ≤, %</translation>
    </message>
    <message>
        <source>Damping ratio ≥</source>
        <translation>Dämpfungsgrad ≥</translation>
    </message>
    <message>
        <source>Phase margin ≥, °</source>
        <translation>Phasenreserve ≥, °</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid number for %2</source>
        <translation>„%1“ ist keine gültige Zahl für %2</translation>
    </message>
    <message>
        <source>Feedback coefficient &amp;k, V·s/rad:</source>
        <translation>Rückführkoeffizient &amp;k, V·s/rad:</translation>
    </message>
    <message>
        <source>from</source>
        <translation>von</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Kennwert</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Analytisch</translation>
    </message>
    <message>
        <source>Simulated</source>
        <translation>Simuliert</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Antrieb</translation>
    </message>
    <message>
        <source>Load gear teeth</source>
        <translation>Zähnezahl des Lastzahnrads</translation>
    </message>
    <message>
        <source>Setpoint, rad/s</source>
        <translation>Sollwert, rad/s</translation>
    </message>
    <message>
        <source>&amp;Take the main window&apos;s inputs</source>
        <translation>Eingaben des &amp;Hauptfensters übernehmen</translation>
    </message>
    <message>
        <source>Design targets</source>
        <translation>Entwurfsziele</translation>
    </message>
    <message>
        <source>&amp;Run on the drive</source>
        <translation>Am Antrieb &amp;ausführen</translation>
    </message>
    <message>
        <source>K&amp;eep</source>
        <translation>&amp;Behalten</translation>
    </message>
    <message>
        <source>the feedback coefficient</source>
        <translation>den Rückführkoeffizienten</translation>
    </message>
    <message>
        <source>the start of the range</source>
        <translation>den Anfang des Bereichs</translation>
    </message>
    <message>
        <source>the end of the range</source>
        <translation>das Ende des Bereichs</translation>
    </message>
    <message>
        <source>The range of k needs two different ends</source>
        <translation>Der Bereich von k braucht zwei verschiedene Enden</translation>
    </message>
    <message>
        <source>Switch on a design target to see which k meet it.</source>
        <translation>Schalten Sie ein Entwurfsziel ein, um zu sehen, welche k es erfüllen.</translation>
    </message>
    <message>
        <source>met</source>
        <translation>erfüllt</translation>
    </message>
    <message>
        <source>not met</source>
        <translation>nicht erfüllt</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>O&amp;pen scenario…</source>
        <translation>Szenario ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Sa&amp;ve scenario…</source>
        <translation>Szenario &amp;speichern…</translation>
    </message>
    <message>
        <source>Recen&amp;t scenarios</source>
        <translation>&amp;Zuletzt geöffnete Szenarien</translation>
    </message>
    <message>
        <source>Save &amp;oscilloscope picture…</source>
        <translation>&amp;Oszilloskopbild speichern…</translation>
    </message>
    <message>
        <source>Save &amp;run as CSV…</source>
        <translation>&amp;Lauf als CSV speichern…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Lab</source>
        <translation>&amp;Labor</translation>
    </message>
    <message>
        <source>&amp;Quality of regulation…</source>
        <translation>&amp;Regelgüte…</translation>
    </message>
    <message>
        <source>&amp;Explore the feedback coefficient…</source>
        <translation>Rückführkoeffizient &amp;untersuchen…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>&amp;Anleitung</translation>
    </message>
    <message>
        <source>Reset &amp;settings</source>
        <translation>&amp;Einstellungen zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>Save oscilloscope picture</source>
        <translation>Oszilloskopbild speichern</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>PNG-Bilder (*.png);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save run as CSV</source>
        <translation>Lauf als CSV speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The influence of the feedback coefficient on the quality of regulation</source>
        <translation>Einfluss des Rückführkoeffizienten auf die Regelgüte</translation>
    </message>
    <message>
        <source>INITIAL DATA</source>
        <translation>AUSGANGSDATEN</translation>
    </message>
    <message>
        <source>Converter-amplifier</source>
        <translation>Stromrichter-Verstärker</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Verstärkung</translation>
    </message>
    <message>
        <source>Time constant, s</source>
        <translation>Zeitkonstante, s</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>Coefficient, rad/sV</source>
        <translation>Konstante, rad/sV</translation>
    </message>
    <message>
        <source>Moment of inertia, kgm</source>
        <translation>Trägheitsmoment, kgm</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Coefficient of viscous</source>
        <translation>Koeffizient der viskosen</translation>
    </message>
    <message>
        <source>friction, Nms/rad</source>
        <translation>Reibung, Nms/rad</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Rückführung</translation>
    </message>
    <message>
        <source>Coefficient, Vs/rad</source>
        <translation>Koeffizient, Vs/rad</translation>
    </message>
    <message>
        <source>Preset velocity of load, rad/s</source>
        <translation>Sollwert der Last, rad/s</translation>
    </message>
    <message>
        <source>Number of gear teeth</source>
        <translation>Zähnezahl des Zahnrads</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Oscilloscope</source>
        <translation>Oszilloskop</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Zeit, s</translation>
    </message>
    <message>
        <source>Velosity, rad/s</source>
        <translation>Geschwindigkeit, rad/s</translation>
    </message>
    <message>
        <source>Scenarios (*.drivesim);;All files (*)</source>
        <translation>Szenarien (*.drivesim);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open scenario</source>
        <translation>Szenario öffnen</translation>
    </message>
    <message>
        <source>Save scenario</source>
        <translation>Szenario speichern</translation>
    </message>
    <message>
        <source>The scenario has changed since it was saved.</source>
        <translation>Das Szenario wurde seit dem Speichern geändert.</translation>
    </message>
    <message>
        <source>The kept runs of the lab are in no scenario file.</source>
        <translation>Die behaltenen Läufe des Labors stehen in keiner Szenariodatei.</translation>
    </message>
    <message>
        <source>Save the scenario before leaving?</source>
        <translation>Szenario vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>&amp;Export lab report (PDF)…</source>
        <translation>Laborbericht &amp;exportieren (PDF)…</translation>
    </message>
    <message>
        <source>Export lab report</source>
        <translation>Laborbericht exportieren</translation>
    </message>
    <message>
        <source>Your name, for the report:</source>
        <translation>Ihr Name für den Bericht:</translation>
    </message>
    <message>
        <source>Export lab report (PDF)</source>
        <translation>Laborbericht exportieren (PDF)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;All files (*)</source>
        <translation>PDF-Dateien (*.pdf);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Aktueller Lauf</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>The program is designed to study the influence of the ACS feedback coefficient on the control accuracy.
To work with the program, set the initial data in the windows that are located on the left side of the main interface. Then set the desired level of the angular velocity of the load and press the &quot;Process&quot; button. Set all the source data using a decimal point, not a period!
In the animation window, movement begins, and on the oscilloscope there are oscillograms of a given level of angular velocity (green line) and angular velocity of the load (blue line).
To accurately measure waveform values, you can enlarge any portion of the waveforms. To do this, move the mouse to the upper left portion of the increase, press the left key, drag the mouse down and right, and release the left key. The increase can be carried out several times. To return to the original size, use the mouse in the opposite direction.
To change the gear ratio of the gearbox, manipulate the buttons near the value of the number of teeth of the gear shaft.
The “Pause” button temporarily stops the simulation process, the “Reset” button restores the program to its initial state.
The program perceives any changes in the source data when you click the &quot;Process&quot; button.</source>
        <translation>Das Programm dient dazu, den Einfluss des Rückführkoeffizienten eines Regelkreises auf die Regelgenauigkeit zu untersuchen.
Geben Sie zuerst die Ausgangsdaten in die Felder links im Hauptfenster ein. Stellen Sie dann den Sollwert der Winkelgeschwindigkeit der Last ein und drücken Sie die Schaltfläche „Start“. Schreiben Sie Dezimalzahlen mit dem Dezimaltrennzeichen Ihres Systems (im Deutschen mit Komma)!
Im Animationsfenster setzt sich das Getriebe in Bewegung, und das Oszilloskop zeigt die Verläufe des Sollwerts der Winkelgeschwindigkeit (grüne Linie) und der Winkelgeschwindigkeit der Last (blaue Linie).
Um Werte der Verläufe genau abzulesen, können Sie jeden Ausschnitt vergrößern. Setzen Sie dazu die Maus an die linke obere Ecke des Ausschnitts, drücken Sie die linke Maustaste, ziehen Sie die Maus nach rechts unten und lassen Sie die Taste los. Das Vergrößern lässt sich mehrmals wiederholen. Zur ursprünglichen Größe kehren Sie zurück, indem Sie die Maus in die Gegenrichtung ziehen.
Um die Übersetzung des Getriebes zu ändern, benutzen Sie die Pfeiltasten neben der Zähnezahl des Zahnrads.
Die Schaltfläche „Pause“ hält die Simulation vorübergehend an, die Schaltfläche „Zurück“ versetzt das Programm in den Anfangszustand.
Änderungen der Ausgangsdaten übernimmt das Programm beim Klick auf die Schaltfläche „Start“.</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Anleitung</translation>
    </message>
</context>
<context>
    <name>TLabWindow</name>
    <message>
        <source>The number of runs must be between %1 and %2</source>
        <translation>Die Anzahl der Läufe muss zwischen %1 und %2 liegen</translation>
    </message>
    <message>
        <source>The duration must be between %1 and %2 s</source>
        <translation>Die Dauer muss zwischen %1 und %2 s liegen</translation>
    </message>
    <message>
        <source>R&amp;un sweep</source>
        <translation>Reihe &amp;starten</translation>
    </message>
    <message>
        <source>Ca&amp;ncel</source>
        <translation>Abb&amp;rechen</translation>
    </message>
    <message>
        <source>&amp;Parameter</source>
        <translation>&amp;Parameter</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <translation>&amp;Von</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <translation>&amp;Bis</translation>
    </message>
    <message>
        <source>C&amp;ount</source>
        <translation>&amp;Anzahl</translation>
    </message>
    <message>
        <source>&amp;Duration (s)</source>
        <translation>Da&amp;uer (s)</translation>
    </message>
    <message>
        <source>%v of %m runs</source>
        <translation>%v von %m Läufen</translation>
    </message>
    <message>
        <source>Running %1 runs of %2 s…</source>
        <translation>%1 Läufe zu je %2 s laufen…</translation>
    </message>
    <message>
        <source>%1 of %2 runs done</source>
        <translation>%1 von %2 Läufen fertig</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen…</translation>
    </message>
    <message>
        <source>Sweep cancelled: the kept runs are as they were.</source>
        <translation>Parameterreihe abgebrochen: die behaltenen Läufe sind unverändert.</translation>
    </message>
    <message>
        <source>%1 runs of %2 kept</source>
        <translation>%1 Läufe behalten (variiert: %2)</translation>
    </message>
    <message>
        <source>Quality of regulation</source>
        <translation>Regelgüte</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>&amp;Keep run</source>
        <translation>Lauf be&amp;halten</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>Save t&amp;able as CSV…</source>
        <translation>&amp;Tabelle als CSV speichern…</translation>
    </message>
    <message>
        <source>Save c&amp;harts as PNG…</source>
        <translation>&amp;Diagramme als PNG speichern…</translation>
    </message>
    <message>
        <source>Sweep</source>
        <translation>Parameterreihe</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Aktueller Lauf</translation>
    </message>
    <message>
        <source>No current run: “Process” in the main window starts one (after “Reset”, from rest).</source>
        <translation>Kein aktueller Lauf: „Start“ im Hauptfenster beginnt einen (nach „Zurück“ aus dem Stillstand).</translation>
    </message>
    <message>
        <source>A sweep&apos;s figures against the swept value appear here.</source>
        <translation>Hier: Kennwerte einer Reihe über dem variierten Wert.</translation>
    </message>
    <message>
        <source>Save table as CSV</source>
        <translation>Tabelle als CSV speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save charts as PNG</source>
        <translation>Diagramme als PNG speichern</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>PNG-Bilder (*.png);;Alle Dateien (*)</translation>
    </message>
</context>
</TS>
