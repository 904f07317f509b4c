<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Application</name>
    <message>
        <source>Unknown exception</source>
        <translation>Exception inconnue</translation>
    </message>
</context>
<context>
    <name>Charts</name>
    <message>
        <source>Step responses</source>
        <translation>Réponses indicielles</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Temps, s</translation>
    </message>
    <message>
        <source>Velocity, rad/s</source>
        <translation>Vitesse, rad/s</translation>
    </message>
    <message>
        <source>±2 % band</source>
        <translation>Bande de ±2 %</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Essai en cours</translation>
    </message>
    <message>
        <source>Setpoint</source>
        <translation>Consigne</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Dépass., %</translation>
    </message>
    <message>
        <source>Static error, %</source>
        <translation>Err. stat., %</translation>
    </message>
    <message>
        <source>Settling 2 %, ms</source>
        <translation>t rép. 2 %, ms</translation>
    </message>
    <message>
        <source>Step response figures</source>
        <translation>Grandeurs de la réponse</translation>
    </message>
    <message>
        <source>%1 measured</source>
        <translation>%1 mesuré</translation>
    </message>
    <message>
        <source>closed form</source>
        <translation>forme analytique</translation>
    </message>
    <message>
        <source>main window</source>
        <translation>fenêtre principale</translation>
    </message>
    <message>
        <source>Step response</source>
        <translation>Réponse indicielle</translation>
    </message>
    <message>
        <source>Load velocity, rad/s</source>
        <translation>Vitesse de la charge, rad/s</translation>
    </message>
    <message>
        <source>Final value ±2 %</source>
        <translation>Valeur finale ±2 %</translation>
    </message>
    <message>
        <source>Simulated run</source>
        <translation>Essai simulé</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Forme analytique</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Pic</translation>
    </message>
    <message>
        <source>Rise</source>
        <translation>Montée</translation>
    </message>
    <message>
        <source>Settling 2 %</source>
        <translation>Établissement à 2 %</translation>
    </message>
    <message>
        <source>Peak +%1 % at %2 s</source>
        <translation>Pic +%1 % à %2 s</translation>
    </message>
    <message>
        <source>Rise 10-90 %: %1 s</source>
        <translation>Montée 10-90 % : %1 s</translation>
    </message>
    <message>
        <source>Settling 2 %: %1 s</source>
        <translation>Étab. 2 % : %1 s</translation>
    </message>
    <message>
        <source>Frequency response</source>
        <translation>Réponse fréquentielle</translation>
    </message>
    <message>
        <source>Frequency ω, rad/s</source>
        <translation>Pulsation ω, rad/s</translation>
    </message>
    <message>
        <source>Magnitude, dB</source>
        <translation>Gain, dB</translation>
    </message>
    <message>
        <source>Phase, °</source>
        <translation>Phase, °</translation>
    </message>
    <message>
        <source>Open loop |L(jω)|</source>
        <translation>Boucle ouverte |L(jω)|</translation>
    </message>
    <message>
        <source>Closed loop |T(jω)|</source>
        <translation>Boucle fermée |T(jω)|</translation>
    </message>
    <message>
        <source>Open loop phase ∠L(jω)</source>
        <translation>Phase BO ∠L(jω)</translation>
    </message>
    <message>
        <source>Crossover</source>
        <translation>Coupure</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Bande passante</translation>
    </message>
    <message>
        <source>Resonance peak</source>
        <translation>Pic de résonance</translation>
    </message>
    <message>
        <source>Phase margin</source>
        <translation>Marge de phase</translation>
    </message>
    <message>
        <source>Crossover ωc = %1 rad/s</source>
        <translation>Coupure ωc = %1 rad/s</translation>
    </message>
    <message>
        <source>Phase margin %1°</source>
        <translation>Marge de phase %1°</translation>
    </message>
    <message>
        <source>Bandwidth ωb = %1 rad/s</source>
        <translation>Bande pass. ωb = %1 rad/s</translation>
    </message>
    <message>
        <source>Resonance peak +%1 dB at %2 rad/s</source>
        <translation>Résonance +%1 dB à %2 rad/s</translation>
    </message>
    <message>
        <source>Setpoints</source>
        <translation>Consignes</translation>
    </message>
    <message>
        <source>Poles</source>
        <translation>Pôles</translation>
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
        <translation>Autorisé par les objectifs</translation>
    </message>
    <message>
        <source>Natural frequency ωn</source>
        <translation>Pulsation propre ωn</translation>
    </message>
    <message>
        <source>Damping ratio ζ</source>
        <translation>Amortissement ζ</translation>
    </message>
    <message>
        <source>Stability boundary</source>
        <translation>Limite de stabilité</translation>
    </message>
    <message>
        <source>Root locus</source>
        <translation>Lieu des racines</translation>
    </message>
    <message>
        <source>Meets the targets</source>
        <translation>Satisfait les objectifs</translation>
    </message>
    <message>
        <source>Critically damped</source>
        <translation>Amortissement critique</translation>
    </message>
    <message>
        <source>Pole at the origin</source>
        <translation>Pôle à l&apos;origine</translation>
    </message>
    <message>
        <source>Poles at k = %1: %2</source>
        <translation>Pôles, k = %1 : %2</translation>
    </message>
    <message>
        <source>k = %1: critically damped, poles meet at %2</source>
        <translation>k = %1 : amort. critique, pôles en %2</translation>
    </message>
    <message>
        <source>k = %1: a pole at 0, unstable below</source>
        <translation>k = %1 : un pôle en 0, instable en dessous</translation>
    </message>
    <message>
        <source>Targets allow %1</source>
        <translation>Autorisé par les objectifs : %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 à %2</translation>
    </message>
    <message>
        <source>Meets the targets: k %1</source>
        <translation>Satisfait les objectifs : k %1</translation>
    </message>
</context>
<context>
    <name>DesignSentence</name>
    <message>
        <source>all three targets</source>
        <translation>les trois objectifs</translation>
    </message>
    <message>
        <source>all four targets</source>
        <translation>les quatre objectifs</translation>
    </message>
    <message>
        <source>all five targets</source>
        <translation>les cinq objectifs</translation>
    </message>
    <message>
        <source>all six targets</source>
        <translation>les six objectifs</translation>
    </message>
    <message>
        <source>all seven targets</source>
        <translation>les sept objectifs</translation>
    </message>
    <message>
        <source>the %1 target</source>
        <translation>l&apos;objectif « %1 »</translation>
    </message>
    <message>
        <source> or </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>any k</source>
        <translation>tout k</translation>
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
        <translation>k de %1 à %2</translation>
    </message>
    <message>
        <source>no design targets are set</source>
        <translation>aucun objectif de conception n&apos;est fixé</translation>
    </message>
    <message>
        <source>both targets</source>
        <translation>les deux objectifs</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 à %2</translation>
    </message>
    <message>
        <source> or from %1 to %2</source>
        <translation> ou de %1 à %2</translation>
    </message>
    <message>
        <source>%1 meets %2</source>
        <translation>%1 satisfait %2</translation>
    </message>
    <message>
        <source>no k from %1 meets %2</source>
        <translation>aucun k de %1 ne satisfait %2</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 exige %2</translation>
    </message>
    <message>
        <source>no k from %1 meets them</source>
        <translation>aucun k de %1 ne les satisfait</translation>
    </message>
    <message>
        <source>%1 is met by no k in the range</source>
        <translation>%1 n&apos;est satisfait par aucun k de la plage</translation>
    </message>
    <message>
        <source>%1 are met by no k in the range</source>
        <translation>%1 ne sont satisfaits par aucun k de la plage</translation>
    </message>
</context>
<context>
    <name>DesignTargets</name>
    <message>
        <source>overshoot</source>
        <translation>dépassement</translation>
    </message>
    <message>
        <source>2 % settling</source>
        <translation>temps de réponse à 2 %</translation>
    </message>
    <message>
        <source>5 % settling</source>
        <translation>temps de réponse à 5 %</translation>
    </message>
    <message>
        <source>rise time</source>
        <translation>temps de montée</translation>
    </message>
    <message>
        <source>error</source>
        <translation>erreur</translation>
    </message>
    <message>
        <source>damping</source>
        <translation>amortissement</translation>
    </message>
    <message>
        <source>phase margin</source>
        <translation>marge de phase</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Ignorer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>Floating point division by zero</source>
        <translation>Division par zéro en virgule flottante</translation>
    </message>
    <message>
        <source>Invalid floating point operation</source>
        <translation>Opération en virgule flottante non valide</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Dépassement de capacité en virgule flottante</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>« %1 » n&apos;est pas un nombre décimal valide</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>« %1 » n&apos;est pas un nombre entier valide</translation>
    </message>
    <message>
        <source>Number of gear teeth must be between 1 and 55</source>
        <translation>Le nombre de dents doit être compris entre 1 et 55</translation>
    </message>
    <message>
        <source>Cannot open scenario &quot;%1&quot;: %2: %3</source>
        <translation>Impossible d&apos;ouvrir le scénario « %1 » : %2 : %3</translation>
    </message>
    <message>
        <source>Cannot open scenario &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;ouvrir le scénario « %1 » : %2</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2</source>
        <translation>doit être un nombre entier de %1 à %2</translation>
    </message>
    <message>
        <source>at most %1 runs</source>
        <translation>au plus %1 essais</translation>
    </message>
    <message>
        <source>not a scenario file (JSON %1 at character %2)</source>
        <translation>pas un fichier de scénario (JSON %1 au caractère %2)</translation>
    </message>
    <message>
        <source>the file is of format %1, written by a newer version of the program; this one reads format %2 only</source>
        <translation>le fichier est au format %1, écrit par une version plus récente du programme ; celle-ci ne lit que le format %2</translation>
    </message>
    <message>
        <source>must be a number</source>
        <translation>doit être un nombre</translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation>doit être un nombre fini</translation>
    </message>
    <message>
        <source>must be true or false</source>
        <translation>doit valoir true ou false</translation>
    </message>
    <message>
        <source>must be a text</source>
        <translation>doit être un texte</translation>
    </message>
    <message>
        <source>must be an object</source>
        <translation>doit être un objet</translation>
    </message>
    <message>
        <source>must be a list</source>
        <translation>doit être une liste</translation>
    </message>
    <message>
        <source>must be greater than k_from</source>
        <translation>doit être supérieur à k_from</translation>
    </message>
    <message>
        <source>must be one of gain, time-constant, motor-coef, motor-inertia, load-inertia, friction, feedback, teeth, setpoint</source>
        <translation>doit être l&apos;un de gain, time-constant, motor-coef, motor-inertia, load-inertia, friction, feedback, teeth, setpoint</translation>
    </message>
    <message>
        <source>must be above 0 and at most 10 s</source>
        <translation>doit être supérieur à 0 et au plus 10 s</translation>
    </message>
    <message>
        <source>not a scenario file (no JSON object)</source>
        <translation>pas un fichier de scénario (aucun objet JSON)</translation>
    </message>
    <message>
        <source>missing: this is no scenario file</source>
        <translation>absent : ce n&apos;est pas un fichier de scénario</translation>
    </message>
    <message>
        <source>must be a whole number from 1</source>
        <translation>doit être un nombre entier à partir de 1</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>it is a directory</source>
        <translation>c&apos;est un dossier</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>too large for a scenario file</source>
        <translation>trop volumineux pour un fichier de scénario</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Impossible de créer le fichier « %1 ». %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>Impossible d&apos;écrire le fichier « %1 ». %2</translation>
    </message>
    <message>
        <source>Preset velocity of load must be between %1 and %2</source>
        <translation>La consigne de vitesse doit être comprise entre %1 et %2</translation>
    </message>
    <message>
        <source>Sweep count must be between %1 and %2</source>
        <translation>Le nombre d&apos;essais d&apos;une série doit être compris entre %1 et %2</translation>
    </message>
    <message>
        <source>Sweep value %1=%2: %3</source>
        <translation>Valeur de la série %1=%2 : %3</translation>
    </message>
</context>
<context>
    <name>ExplorerFigures</name>
    <message>
        <source>Natural frequency ωn, rad/s</source>
        <translation>Pulsation propre ωn, rad/s</translation>
    </message>
    <message>
        <source>How fast the loop swings: ωn = √CoefVelocity, the distance of the poles from the origin.</source>
        <translation>La rapidité d&apos;oscillation de la boucle : ωn = √CoefVelocity, la distance des pôles à l&apos;origine.</translation>
    </message>
    <message>
        <source>Damping ratio ζ</source>
        <translation>Coefficient d&apos;amortissement ζ</translation>
    </message>
    <message>
        <source>How quickly a swing dies away: ζ = CoefAccel / (2 √CoefVelocity). Below 1 the response overshoots; 1 is critical damping.</source>
        <translation>La rapidité avec laquelle une oscillation s&apos;éteint : ζ = CoefAccel / (2 √CoefVelocity). En dessous de 1, la réponse dépasse ; 1 correspond à l&apos;amortissement critique.</translation>
    </message>
    <message>
        <source>Pole 1, 1/s</source>
        <translation>Pôle 1, 1/s</translation>
    </message>
    <message>
        <source>A root of s² + CoefAccel·s + CoefVelocity = 0: s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity).</source>
        <translation>Une racine de s² + CoefAccel·s + CoefVelocity = 0 : s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity).</translation>
    </message>
    <message>
        <source>Pole 2, 1/s</source>
        <translation>Pôle 2, 1/s</translation>
    </message>
    <message>
        <source>The other root of s² + CoefAccel·s + CoefVelocity = 0.</source>
        <translation>L&apos;autre racine de s² + CoefAccel·s + CoefVelocity = 0.</translation>
    </message>
    <message>
        <source>Loop DC gain L(0)</source>
        <translation>Gain statique de boucle L(0)</translation>
    </message>
    <message>
        <source>The open loop&apos;s gain at rest: L(0) = k·AmpGain·MotorCoef / ViscousFriction.</source>
        <translation>Le gain statique de la boucle ouverte : L(0) = k·AmpGain·MotorCoef / ViscousFriction.</translation>
    </message>
    <message>
        <source>Error at the comparator, %</source>
        <translation>Erreur au comparateur, %</translation>
    </message>
    <message>
        <source>What is left at the comparator once the drive has settled, in % of the setpoint: (Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). Feedback drives it down as k rises.</source>
        <translation>Ce qui reste au comparateur une fois l&apos;entraînement stabilisé, en % de la consigne : (Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). La contre-réaction la réduit quand k augmente.</translation>
    </message>
    <message>
        <source>Velocity reached ω∞, rad/s</source>
        <translation>Vitesse atteinte ω∞, rad/s</translation>
    </message>
    <message>
        <source>The load velocity the drive settles at: ω∞ = CoefInput·Setpoint / CoefVelocity.</source>
        <translation>La vitesse de la charge à laquelle l&apos;entraînement se stabilise : ω∞ = CoefInput·Setpoint / CoefVelocity.</translation>
    </message>
    <message>
        <source>Velocity error, % (rises with k in this drive)</source>
        <translation>Erreur de vitesse, % (croît avec k pour cet entraînement)</translation>
    </message>
    <message>
        <source>(Setpoint − ω∞) / Setpoint in %. The feedback compares k·ω with the setpoint, so a larger k makes the drive settle lower: this error rises with k while the comparator&apos;s error falls.</source>
        <translation>(Setpoint − ω∞) / Setpoint en %. La contre-réaction compare k·ω à la consigne, donc un k plus grand stabilise l&apos;entraînement plus bas : cette erreur croît avec k tandis que l&apos;erreur au comparateur décroît.</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Dépassement, %</translation>
    </message>
    <message>
        <source>How far the velocity swings past its final value, in % of it: 100·exp(−πζ/√(1−ζ²)) for ζ &lt; 1, 0 otherwise.</source>
        <translation>De combien la vitesse dépasse sa valeur finale, en % de celle-ci : 100·exp(−πζ/√(1−ζ²)) pour ζ &lt; 1, 0 sinon.</translation>
    </message>
    <message>
        <source>Peak time, s</source>
        <translation>Instant du pic, s</translation>
    </message>
    <message>
        <source>When the first peak comes: t = π / ωd, ωd = ωn√(1−ζ²).</source>
        <translation>L&apos;instant du premier pic : t = π / ωd, ωd = ωn√(1−ζ²).</translation>
    </message>
    <message>
        <source>Rise time 10–90 %, s</source>
        <translation>Temps de montée 10–90 %, s</translation>
    </message>
    <message>
        <source>The time from 10 % to 90 % of the final value on the step response.</source>
        <translation>Le temps pour passer de 10 % à 90 % de la valeur finale sur la réponse indicielle.</translation>
    </message>
    <message>
        <source>Settling time 2 %, s</source>
        <translation>Temps de réponse à 2 %, s</translation>
    </message>
    <message>
        <source>The time after which the velocity stays within ±2 % of its final value (about 4 / (ζωn) for a lightly damped loop).</source>
        <translation>Le temps après lequel la vitesse reste à ±2 % de sa valeur finale (environ 4 / (ζωn) pour une boucle peu amortie).</translation>
    </message>
    <message>
        <source>Settling time 5 %, s</source>
        <translation>Temps de réponse à 5 %, s</translation>
    </message>
    <message>
        <source>The time after which the velocity stays within ±5 % of its final value (about 3 / (ζωn)).</source>
        <translation>Le temps après lequel la vitesse reste à ±5 % de sa valeur finale (environ 3 / (ζωn)).</translation>
    </message>
    <message>
        <source>Phase margin, °</source>
        <translation>Marge de phase, °</translation>
    </message>
    <message>
        <source>How far the open loop&apos;s phase stays from −180° where its gain is 1: 180° + ∠L(jωc).</source>
        <translation>L&apos;écart entre la phase de la boucle ouverte et −180° là où son gain vaut 1 : 180° + ∠L(jωc).</translation>
    </message>
    <message>
        <source>Crossover frequency ωc, rad/s</source>
        <translation>Pulsation de coupure ωc, rad/s</translation>
    </message>
    <message>
        <source>The frequency where the open loop&apos;s gain is 1: |L(jωc)| = 1 (none when L(0) ≤ 1).</source>
        <translation>La pulsation où le gain de la boucle ouverte vaut 1 : |L(jωc)| = 1 (aucune si L(0) ≤ 1).</translation>
    </message>
    <message>
        <source>Bandwidth, rad/s</source>
        <translation>Bande passante, rad/s</translation>
    </message>
    <message>
        <source>The lowest frequency where the closed loop&apos;s gain falls to 1/√2 of its gain at rest: |T(jω)| = |T(0)|/√2.</source>
        <translation>La plus basse pulsation où le gain de la boucle fermée tombe à 1/√2 de son gain statique : |T(jω)| = |T(0)|/√2.</translation>
    </message>
    <message>
        <source>Resonance peak, dB</source>
        <translation>Pic de résonance, dB</translation>
    </message>
    <message>
        <source>How far the closed loop&apos;s gain rises above its gain at rest: 20·log10(max|T| / |T(0)|) = −20·log10(2ζ√(1−ζ²)) for ζ &lt; 1/√2, 0 otherwise.</source>
        <translation>De combien le gain de la boucle fermée monte au-dessus de son gain statique : 20·log10(max|T| / |T(0)|) = −20·log10(2ζ√(1−ζ²)) pour ζ &lt; 1/√2, 0 sinon.</translation>
    </message>
</context>
<context>
    <name>LabReport</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Entrées</translation>
    </message>
    <message>
        <source>The feedback coefficient explored</source>
        <translation>Exploration du coefficient de contre-réaction</translation>
    </message>
    <message>
        <source>The loop at k = %1 V·s/rad, from its closed form and measured on the drive&apos;s own run from rest; k explored from %2 to %3 V·s/rad.</source>
        <translation>La boucle à k = %1 V·s/rad, par sa forme analytique et mesurée sur un essai propre de l&apos;entraînement depuis l&apos;arrêt ; k exploré de %2 à %3 V·s/rad.</translation>
    </message>
    <message>
        <source>The setpoint being 0, the explorer steps to %1 rad/s.</source>
        <translation>La consigne étant 0, l&apos;explorateur applique un échelon de %1 rad/s.</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Grandeur</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Formule</translation>
    </message>
    <message>
        <source>Measured</source>
        <translation>Mesuré</translation>
    </message>
    <message>
        <source>Design target</source>
        <translation>Objectif de conception</translation>
    </message>
    <message>
        <source>Design targets</source>
        <translation>Objectifs de conception</translation>
    </message>
    <message>
        <source>No design target was set.</source>
        <translation>Aucun objectif de conception n&apos;a été fixé.</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Objectif</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Limite</translation>
    </message>
    <message>
        <source>At this k</source>
        <translation>Pour ce k</translation>
    </message>
    <message>
        <source>Answer: %1</source>
        <translation>Réponse : %1</translation>
    </message>
    <message>
        <source>Runs</source>
        <translation>Essais</translation>
    </message>
    <message>
        <source>No run was kept.</source>
        <translation>Aucun essai n&apos;a été conservé.</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>Key figures: measured on the run / from the loop&apos;s closed form; — where the run does not reach the figure.</source>
        <translation>Grandeurs : mesurées sur l&apos;essai / par la forme analytique de la boucle ; — là où l&apos;essai n&apos;atteint pas la grandeur.</translation>
    </message>
    <message>
        <source>Lab report</source>
        <translation>Compte rendu de TP</translation>
    </message>
    <message>
        <source>Student</source>
        <translation>Étudiant(e)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Énoncé</translation>
    </message>
    <message>
        <source>Step responses</source>
        <translation>Réponses indicielles</translation>
    </message>
    <message>
        <source>Sweep of %1</source>
        <translation>Série sur %1</translation>
    </message>
    <message>
        <source>Sweep of %1: %2 runs from %3 to %4</source>
        <translation>Série sur %1 : %2 essais de %3 à %4</translation>
    </message>
    <message>
        <source>DriveSim lab report</source>
        <translation>Compte rendu de TP DriveSim</translation>
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
        <translation>gain</translation>
    </message>
    <message>
        <source>time constant</source>
        <translation>constante de temps</translation>
    </message>
    <message>
        <source>motor coef.</source>
        <translation>coef. moteur</translation>
    </message>
    <message>
        <source>motor inertia</source>
        <translation>inertie moteur</translation>
    </message>
    <message>
        <source>load inertia</source>
        <translation>inertie charge</translation>
    </message>
    <message>
        <source>friction</source>
        <translation>frottement</translation>
    </message>
    <message>
        <source>teeth</source>
        <translation>dents</translation>
    </message>
    <message>
        <source>setpoint</source>
        <translation>consigne</translation>
    </message>
    <message>
        <source>inputs changed at t = %1 s</source>
        <translation>entrées modifiées à t = %1 s</translation>
    </message>
    <message>
        <source>at t = %1 s: %2</source>
        <translation>à t = %1 s : %2</translation>
    </message>
    <message>
        <source>in tick %1: %2</source>
        <translation>au pas %1 : %2</translation>
    </message>
</context>
<context>
    <name>LabTable</name>
    <message>
        <source>settled</source>
        <translation>établi</translation>
    </message>
    <message>
        <source>not settled</source>
        <translation>non établi</translation>
    </message>
    <message>
        <source>no response</source>
        <translation>aucune réponse</translation>
    </message>
    <message>
        <source>unstable</source>
        <translation>instable</translation>
    </message>
    <message>
        <source>diverged</source>
        <translation>divergé</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Dépassement, %</translation>
    </message>
    <message>
        <source>Peak time, ms</source>
        <translation>Instant du pic, ms</translation>
    </message>
    <message>
        <source>Rise time, ms</source>
        <translation>Temps de montée, ms</translation>
    </message>
    <message>
        <source>Settling 2 %, ms</source>
        <translation>Temps de réponse à 2 %, ms</translation>
    </message>
    <message>
        <source>Static error, %</source>
        <translation>Erreur statique, %</translation>
    </message>
    <message>
        <source>Settling 5 %, ms
measured</source>
        <translation>Temps de réponse 5 %, ms
mesuré</translation>
    </message>
    <message>
        <source>Settling 5 %, ms
theory</source>
        <translation>Temps de réponse 5 %, ms
théorie</translation>
    </message>
    <message>
        <source>Crossings</source>
        <translation>Croisements</translation>
    </message>
    <message>
        <source>Damping
ratio</source>
        <translation>Coefficient
d&apos;amortissement</translation>
    </message>
    <message>
        <source>Natural freq.,
rad/s</source>
        <translation>Pulsation propre,
rad/s</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Essai</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>meas. / theory</source>
        <translation>mes. / théorie</translation>
    </message>
    <message>
        <source>%1 measured	%1 theory</source>
        <translation>%1 mesuré	%1 théorie</translation>
    </message>
</context>
<context>
    <name>Sweep</name>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>Time constant, s</source>
        <translation>Constante de temps, s</translation>
    </message>
    <message>
        <source>Motor coefficient, rad/sV</source>
        <translation>Coefficient du moteur, rad/sV</translation>
    </message>
    <message>
        <source>Motor moment of inertia, kgm2</source>
        <translation>Moment d&apos;inertie du moteur, kgm2</translation>
    </message>
    <message>
        <source>Load moment of inertia, kgm2</source>
        <translation>Moment d&apos;inertie de la charge, kgm2</translation>
    </message>
    <message>
        <source>Coefficient of viscous friction, Nms/rad</source>
        <translation>Coefficient de frottement visqueux, Nms/rad</translation>
    </message>
    <message>
        <source>Feedback coefficient, Vs/rad</source>
        <translation>Coefficient de contre-réaction, Vs/rad</translation>
    </message>
    <message>
        <source>Number of gear teeth</source>
        <translation>Nombre de dents du pignon</translation>
    </message>
    <message>
        <source>Preset velocity of load, rad/s</source>
        <translation>Consigne de vitesse, rad/s</translation>
    </message>
</context>
<context>
    <name>SweepName</name>
    <message>
        <source>gain</source>
        <translation>gain</translation>
    </message>
    <message>
        <source>time-constant</source>
        <translation>constante de temps</translation>
    </message>
    <message>
        <source>motor-coef</source>
        <translation>coefficient du moteur</translation>
    </message>
    <message>
        <source>motor-inertia</source>
        <translation>inertie du moteur</translation>
    </message>
    <message>
        <source>load-inertia</source>
        <translation>inertie de la charge</translation>
    </message>
    <message>
        <source>friction</source>
        <translation>frottement</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>contre-réaction</translation>
    </message>
    <message>
        <source>teeth</source>
        <translation>dents</translation>
    </message>
    <message>
        <source>setpoint</source>
        <translation>consigne</translation>
    </message>
</context>
<context>
    <name>TExplorerWindow</name>
    <message>
        <source>Explore the feedback coefficient</source>
        <translation>Explorer le coefficient de contre-réaction</translation>
    </message>
    <message>
        <source>Amplifier gain</source>
        <translation>Gain de l&apos;amplificateur</translation>
    </message>
    <message>
        <source>Amplifier time constant, s</source>
        <translation>Constante de temps de l&apos;amplificateur, s</translation>
    </message>
    <message>
        <source>Motor coefficient, rad/(s·V)</source>
        <translation>Coefficient du moteur, rad/(s·V)</translation>
    </message>
    <message>
        <source>Motor inertia, kg·m²</source>
        <translation>Inertie du moteur, kg·m²</translation>
    </message>
    <message>
        <source>Load inertia, kg·m²</source>
        <translation>Inertie de la charge, kg·m²</translation>
    </message>
    <message>
        <source>Viscous friction, N·m·s/rad</source>
        <translation>Frottement visqueux, N·m·s/rad</translation>
    </message>
    <message>
        <source>Overshoot ≤, %</source>
        <translation>Dépassement ≤, %</translation>
    </message>
    <message>
        <source>Settling 2 % ≤, s</source>
        <translation>Temps de réponse 2 % ≤, s</translation>
    </message>
    <message>
        <source>Settling 5 % ≤, s</source>
        <translation>Temps de réponse 5 % ≤, s</translation>
    </message>
    <message>
        <source>Rise time ≤, s</source>
        <translation>Temps de montée ≤, s</translation>
    </message>
    <message>
        <source>Comparator error ≤, %</source>
        <translation>Erreur au comparateur ≤, %</translation>
    </message>
    <message>
        <source>Damping ratio ≥</source>
        <translation>Coefficient d&apos;amortissement ≥</translation>
    </message>
    <message>
        <source>Phase margin ≥, °</source>
        <translation>Marge de phase ≥, °</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid number for %2</source>
        <translation>« %1 » n&apos;est pas un nombre valide pour %2</translation>
    </message>
    <message>
        <source>Feedback coefficient &amp;k, V·s/rad:</source>
        <translation>Coefficient de contre-réaction &amp;k, V·s/rad :</translation>
    </message>
    <message>
        <source>from</source>
        <translation>de</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Grandeur</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Formule</translation>
    </message>
    <message>
        <source>Simulated</source>
        <translation>Simulé</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Objectif</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Entraînement</translation>
    </message>
    <message>
        <source>Load gear teeth</source>
        <translation>Dents de la roue de charge</translation>
    </message>
    <message>
        <source>Setpoint, rad/s</source>
        <translation>Consigne, rad/s</translation>
    </message>
    <message>
        <source>&amp;Take the main window&apos;s inputs</source>
        <translation>&amp;Reprendre les entrées de la fenêtre principale</translation>
    </message>
    <message>
        <source>Design targets</source>
        <translation>Objectifs de conception</translation>
    </message>
    <message>
        <source>&amp;Run on the drive</source>
        <translation>&amp;Lancer sur l&apos;entraînement</translation>
    </message>
    <message>
        <source>K&amp;eep</source>
        <translation>&amp;Conserver</translation>
    </message>
    <message>
        <source>the feedback coefficient</source>
        <translation>le coefficient de contre-réaction</translation>
    </message>
    <message>
        <source>the start of the range</source>
        <translation>le début de la plage</translation>
    </message>
    <message>
        <source>the end of the range</source>
        <translation>la fin de la plage</translation>
    </message>
    <message>
        <source>The range of k needs two different ends</source>
        <translation>La plage de k doit avoir deux bornes différentes</translation>
    </message>
    <message>
        <source>Switch on a design target to see which k meet it.</source>
        <translation>Activez un objectif de conception pour voir quels k le satisfont.</translation>
    </message>
    <message>
        <source>met</source>
        <translation>satisfait</translation>
    </message>
    <message>
        <source>not met</source>
        <translation>non satisfait</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>O&amp;pen scenario…</source>
        <translation>&amp;Ouvrir un scénario…</translation>
    </message>
    <message>
        <source>Sa&amp;ve scenario…</source>
        <translation>&amp;Enregistrer le scénario…</translation>
    </message>
    <message>
        <source>Recen&amp;t scenarios</source>
        <translation>Scénarios &amp;récents</translation>
    </message>
    <message>
        <source>Save &amp;oscilloscope picture…</source>
        <translation>Enregistrer l&apos;image de l&apos;oscillosco&amp;pe…</translation>
    </message>
    <message>
        <source>Save &amp;run as CSV…</source>
        <translation>Enregistrer l&apos;essai en &amp;CSV…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Lab</source>
        <translation>&amp;Laboratoire</translation>
    </message>
    <message>
        <source>&amp;Quality of regulation…</source>
        <translation>&amp;Qualité de régulation…</translation>
    </message>
    <message>
        <source>&amp;Explore the feedback coefficient…</source>
        <translation>&amp;Explorer le coefficient de contre-réaction…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>&amp;Instructions</translation>
    </message>
    <message>
        <source>Reset &amp;settings</source>
        <translation>&amp;Réinitialiser les réglages</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Guide de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>Save oscilloscope picture</source>
        <translation>Enregistrer l&apos;image de l&apos;oscilloscope</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>Images PNG (*.png);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Save run as CSV</source>
        <translation>Enregistrer l&apos;essai en CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Fichiers CSV (*.csv);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The influence of the feedback coefficient on the quality of regulation</source>
        <translation>Influence du coefficient de contre-réaction sur la qualité de régulation</translation>
    </message>
    <message>
        <source>INITIAL DATA</source>
        <translation>DONNÉES INITIALES</translation>
    </message>
    <message>
        <source>Converter-amplifier</source>
        <translation>Convertisseur-amplificateur</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>Time constant, s</source>
        <translation>Constante de temps, s</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Moteur</translation>
    </message>
    <message>
        <source>Coefficient, rad/sV</source>
        <translation>Coefficient, rad/sV</translation>
    </message>
    <message>
        <source>Moment of inertia, kgm</source>
        <translation>Moment d&apos;inertie, kgm</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Charge</translation>
    </message>
    <message>
        <source>Coefficient of viscous</source>
        <translation>Coefficient de frottement</translation>
    </message>
    <message>
        <source>friction, Nms/rad</source>
        <translation>visqueux, Nms/rad</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Contre-réaction</translation>
    </message>
    <message>
        <source>Coefficient, Vs/rad</source>
        <translation>Coefficient, Vs/rad</translation>
    </message>
    <message>
        <source>Preset velocity of load, rad/s</source>
        <translation>Consigne de vitesse, rad/s</translation>
    </message>
    <message>
        <source>Number of gear teeth</source>
        <translation>Nombre de dents du pignon</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Lancer</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>RAZ</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Oscilloscope</source>
        <translation>Oscilloscope</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Temps, s</translation>
    </message>
    <message>
        <source>Velosity, rad/s</source>
        <translation>Vitesse, rad/s</translation>
    </message>
    <message>
        <source>Scenarios (*.drivesim);;All files (*)</source>
        <translation>Scénarios (*.drivesim);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Open scenario</source>
        <translation>Ouvrir un scénario</translation>
    </message>
    <message>
        <source>Save scenario</source>
        <translation>Enregistrer le scénario</translation>
    </message>
    <message>
        <source>The scenario has changed since it was saved.</source>
        <translation>Le scénario a changé depuis son enregistrement.</translation>
    </message>
    <message>
        <source>The kept runs of the lab are in no scenario file.</source>
        <translation>Les essais conservés du laboratoire ne sont dans aucun fichier de scénario.</translation>
    </message>
    <message>
        <source>Save the scenario before leaving?</source>
        <translation>Enregistrer le scénario avant de quitter ?</translation>
    </message>
    <message>
        <source>&amp;Export lab report (PDF)…</source>
        <translation>E&amp;xporter le compte rendu de TP (PDF)…</translation>
    </message>
    <message>
        <source>Export lab report</source>
        <translation>Exporter le compte rendu de TP</translation>
    </message>
    <message>
        <source>Your name, for the report:</source>
        <translation>Votre nom, pour le compte rendu :</translation>
    </message>
    <message>
        <source>Export lab report (PDF)</source>
        <translation>Exporter le compte rendu de TP (PDF)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;All files (*)</source>
        <translation>Fichiers PDF (*.pdf);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Essai en cours</translation>
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
        <translation>Le programme sert à étudier l&apos;influence du coefficient de contre-réaction d&apos;un système asservi sur la précision de régulation.
Saisissez d&apos;abord les données initiales dans les champs situés à gauche de la fenêtre principale. Réglez ensuite la consigne de vitesse angulaire de la charge et appuyez sur le bouton « Lancer ». Écrivez les nombres décimaux avec le séparateur décimal de votre système (en français, la virgule) !
Dans la fenêtre d&apos;animation, le mouvement commence, et l&apos;oscilloscope affiche les courbes de la consigne de vitesse angulaire (ligne verte) et de la vitesse angulaire de la charge (ligne bleue).
Pour mesurer précisément les valeurs des courbes, vous pouvez agrandir n&apos;importe quelle partie. Placez la souris au coin supérieur gauche de la zone à agrandir, appuyez sur le bouton gauche, faites glisser la souris vers le bas et la droite, puis relâchez le bouton. L&apos;agrandissement peut être répété plusieurs fois. Pour revenir à la taille d&apos;origine, faites glisser la souris dans le sens opposé.
Pour changer le rapport de réduction, utilisez les flèches à côté du nombre de dents du pignon.
Le bouton « Pause » interrompt momentanément la simulation, le bouton « RAZ » ramène le programme à son état initial.
Le programme prend en compte les modifications des données initiales lorsque vous cliquez sur le bouton « Lancer ».</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instructions</translation>
    </message>
</context>
<context>
    <name>TLabWindow</name>
    <message>
        <source>The number of runs must be between %1 and %2</source>
        <translation>Le nombre d&apos;essais doit être compris entre %1 et %2</translation>
    </message>
    <message>
        <source>The duration must be between %1 and %2 s</source>
        <translation>La durée doit être comprise entre %1 et %2 s</translation>
    </message>
    <message>
        <source>R&amp;un sweep</source>
        <translation>Lancer la &amp;série</translation>
    </message>
    <message>
        <source>Ca&amp;ncel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Parameter</source>
        <translation>&amp;Paramètre</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <translation>&amp;De</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <translation>&amp;Jusqu&apos;à</translation>
    </message>
    <message>
        <source>C&amp;ount</source>
        <translation>&amp;Nombre</translation>
    </message>
    <message>
        <source>&amp;Duration (s)</source>
        <translation>D&amp;urée (s)</translation>
    </message>
    <message>
        <source>%v of %m runs</source>
        <translation>%v essais sur %m</translation>
    </message>
    <message>
        <source>Running %1 runs of %2 s…</source>
        <translation>%1 essais de %2 s en cours…</translation>
    </message>
    <message>
        <source>%1 of %2 runs done</source>
        <translation>%1 essais sur %2 terminés</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Annulation…</translation>
    </message>
    <message>
        <source>Sweep cancelled: the kept runs are as they were.</source>
        <translation>Série annulée : les essais conservés sont inchangés.</translation>
    </message>
    <message>
        <source>%1 runs of %2 kept</source>
        <translation>%1 essais conservés (paramètre varié : %2)</translation>
    </message>
    <message>
        <source>Quality of regulation</source>
        <translation>Qualité de régulation</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>&amp;Keep run</source>
        <translation>&amp;Conserver l&apos;essai</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Retirer</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Vider</translation>
    </message>
    <message>
        <source>Save t&amp;able as CSV…</source>
        <translation>Enregistrer le &amp;tableau en CSV…</translation>
    </message>
    <message>
        <source>Save c&amp;harts as PNG…</source>
        <translation>Enregistrer les &amp;graphiques en PNG…</translation>
    </message>
    <message>
        <source>Sweep</source>
        <translation>Série paramétrique</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Essai en cours</translation>
    </message>
    <message>
        <source>No current run: “Process” in the main window starts one (after “Reset”, from rest).</source>
        <translation>Aucun essai en cours : « Lancer » dans la fenêtre principale en démarre un (après « RAZ », depuis l&apos;arrêt).</translation>
    </message>
    <message>
        <source>A sweep&apos;s figures against the swept value appear here.</source>
        <translation>Ici : grandeurs d&apos;une série selon la valeur variée.</translation>
    </message>
    <message>
        <source>Save table as CSV</source>
        <translation>Enregistrer le tableau en CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Fichiers CSV (*.csv);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Save charts as PNG</source>
        <translation>Enregistrer les graphiques en PNG</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>Images PNG (*.png);;Tous les fichiers (*)</translation>
    </message>
</context>
</TS>
