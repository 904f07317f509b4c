<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Application</name>
    <message>
        <source>Unknown exception</source>
        <translation>Excepción desconocida</translation>
    </message>
</context>
<context>
    <name>Charts</name>
    <message>
        <source>Step responses</source>
        <translation>Respuestas al escalón</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Tiempo, s</translation>
    </message>
    <message>
        <source>Velocity, rad/s</source>
        <translation>Velocidad, rad/s</translation>
    </message>
    <message>
        <source>±2 % band</source>
        <translation>Banda de ±2 %</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Ensayo actual</translation>
    </message>
    <message>
        <source>Setpoint</source>
        <translation>Consigna</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Sobreosc., %</translation>
    </message>
    <message>
        <source>Static error, %</source>
        <translation>Err. estát., %</translation>
    </message>
    <message>
        <source>Settling 2 %, ms</source>
        <translation>t establ. 2 %, ms</translation>
    </message>
    <message>
        <source>Step response figures</source>
        <translation>Índices de la respuesta</translation>
    </message>
    <message>
        <source>%1 measured</source>
        <translation>%1 medido</translation>
    </message>
    <message>
        <source>closed form</source>
        <translation>forma analítica</translation>
    </message>
    <message>
        <source>main window</source>
        <translation>ventana principal</translation>
    </message>
    <message>
        <source>Step response</source>
        <translation>Respuesta al escalón</translation>
    </message>
    <message>
        <source>Load velocity, rad/s</source>
        <translation>Velocidad de la carga, rad/s</translation>
    </message>
    <message>
        <source>Final value ±2 %</source>
        <translation>Valor final ±2 %</translation>
    </message>
    <message>
        <source>Simulated run</source>
        <translation>Ensayo simulado</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Forma analítica</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Pico</translation>
    </message>
    <message>
        <source>Rise</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Settling 2 %</source>
        <translation>Establecimiento 2 %</translation>
    </message>
    <message>
        <source>Peak +%1 % at %2 s</source>
        <translation>Pico +%1 % en %2 s</translation>
    </message>
    <message>
        <source>Rise 10-90 %: %1 s</source>
        <translation>Subida 10-90 %: %1 s</translation>
    </message>
    <message>
        <source>Settling 2 %: %1 s</source>
        <translation>Establ. 2 %: %1 s</translation>
    </message>
    <message>
        <source>Frequency response</source>
        <translation>Respuesta en frecuencia</translation>
    </message>
    <message>
        <source>Frequency ω, rad/s</source>
        <translation>Frecuencia ω, rad/s</translation>
    </message>
    <message>
        <source>Magnitude, dB</source>
        <translation>Magnitud, dB</translation>
    </message>
    <message>
        <source>Phase, °</source>
        <translation>Fase, °</translation>
    </message>
    <message>
        <source>Open loop |L(jω)|</source>
        <translation>Lazo abierto |L(jω)|</translation>
    </message>
    <message>
        <source>Closed loop |T(jω)|</source>
        <translation>Lazo cerrado |T(jω)|</translation>
    </message>
    <message>
        <source>Open loop phase ∠L(jω)</source>
        <translation>Fase lazo abierto ∠L(jω)</translation>
    </message>
    <message>
        <source>Crossover</source>
        <translation>Cruce</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Ancho de banda</translation>
    </message>
    <message>
        <source>Resonance peak</source>
        <translation>Pico de resonancia</translation>
    </message>
    <message>
        <source>Phase margin</source>
        <translation>Margen de fase</translation>
    </message>
    <message>
        <source>Crossover ωc = %1 rad/s</source>
        <translation>Cruce ωc = %1 rad/s</translation>
    </message>
    <message>
        <source>Phase margin %1°</source>
        <translation>Margen de fase %1°</translation>
    </message>
    <message>
        <source>Bandwidth ωb = %1 rad/s</source>
        <translation>Ancho banda ωb = %1 rad/s</translation>
    </message>
    <message>
        <source>Resonance peak +%1 dB at %2 rad/s</source>
        <translation>Resonancia +%1 dB en %2 rad/s</translation>
    </message>
    <message>
        <source>Setpoints</source>
        <translation>Consignas</translation>
    </message>
    <message>
        <source>Poles</source>
        <translation>Polos</translation>
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
        <translation>Permitido por los objetivos</translation>
    </message>
    <message>
        <source>Natural frequency ωn</source>
        <translation>Frecuencia natural ωn</translation>
    </message>
    <message>
        <source>Damping ratio ζ</source>
        <translation>Amortiguamiento ζ</translation>
    </message>
    <message>
        <source>Stability boundary</source>
        <translation>Límite de estabilidad</translation>
    </message>
    <message>
        <source>Root locus</source>
        <translation>Lugar de las raíces</translation>
    </message>
    <message>
        <source>Meets the targets</source>
        <translation>Cumple los objetivos</translation>
    </message>
    <message>
        <source>Critically damped</source>
        <translation>Amortiguamiento crítico</translation>
    </message>
    <message>
        <source>Pole at the origin</source>
        <translation>Polo en el origen</translation>
    </message>
    <message>
        <source>Poles at k = %1: %2</source>
        <translation>Polos, k = %1: %2</translation>
    </message>
    <message>
        <source>k = %1: critically damped, poles meet at %2</source>
        <translation>k = %1: amort. crítico, polos en %2</translation>
    </message>
    <message>
        <source>k = %1: a pole at 0, unstable below</source>
        <translation>k = %1: un polo en 0, inestable por debajo</translation>
    </message>
    <message>
        <source>Targets allow %1</source>
        <translation>Permitido por los objetivos: %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 a %2</translation>
    </message>
    <message>
        <source>Meets the targets: k %1</source>
        <translation>Cumple los objetivos: k %1</translation>
    </message>
</context>
<context>
    <name>DesignSentence</name>
    <message>
        <source>all three targets</source>
        <translation>los tres objetivos</translation>
    </message>
    <message>
        <source>all four targets</source>
        <translation>los cuatro objetivos</translation>
    </message>
    <message>
        <source>all five targets</source>
        <translation>los cinco objetivos</translation>
    </message>
    <message>
        <source>all six targets</source>
        <translation>los seis objetivos</translation>
    </message>
    <message>
        <source>all seven targets</source>
        <translation>los siete objetivos</translation>
    </message>
    <message>
        <source>the %1 target</source>
        <translation>el objetivo «%1»</translation>
    </message>
    <message>
        <source> or </source>
        <translation> o </translation>
    </message>
    <message>
        <source>any k</source>
        <translation>cualquier k</translation>
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
        <translation>k de %1 a %2</translation>
    </message>
    <message>
        <source>no design targets are set</source>
        <translation>no hay objetivos de diseño activados</translation>
    </message>
    <message>
        <source>both targets</source>
        <translation>ambos objetivos</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 a %2</translation>
    </message>
    <message>
        <source> or from %1 to %2</source>
        <translation> o de %1 a %2</translation>
    </message>
    <message>
        <source>%1 meets %2</source>
        <translation>%1 cumple %2</translation>
    </message>
    <message>
        <source>no k from %1 meets %2</source>
        <translation>ningún k de %1 cumple %2</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 requiere %2</translation>
    </message>
    <message>
        <source>no k from %1 meets them</source>
        <translation>ningún k de %1 los cumple</translation>
    </message>
    <message>
        <source>%1 is met by no k in the range</source>
        <translation>%1 no lo cumple ningún k del intervalo</translation>
    </message>
    <message>
        <source>%1 are met by no k in the range</source>
        <translation>%1 no los cumple ningún k del intervalo</translation>
    </message>
</context>
<context>
    <name>DesignTargets</name>
    <message>
        <source>overshoot</source>
        <translation>sobreoscilación</translation>
    </message>
    <message>
        <source>2 % settling</source>
        <translation>establecimiento al 2 %</translation>
    </message>
    <message>
        <source>5 % settling</source>
        <translation>establecimiento al 5 %</translation>
    </message>
    <message>
        <source>rise time</source>
        <translation>tiempo de subida</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>damping</source>
        <translation>amortiguamiento</translation>
    </message>
    <message>
        <source>phase margin</source>
        <translation>margen de fase</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Descartar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>Floating point division by zero</source>
        <translation>División por cero en coma flotante</translation>
    </message>
    <message>
        <source>Invalid floating point operation</source>
        <translation>Operación de coma flotante no válida</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Desbordamiento de coma flotante</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>«%1» no es un número decimal válido</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» no es un número entero válido</translation>
    </message>
    <message>
        <source>Number of gear teeth must be between 1 and 55</source>
        <translation>El número de dientes debe estar entre 1 y 55</translation>
    </message>
    <message>
        <source>Cannot open scenario &quot;%1&quot;: %2: %3</source>
        <translation>No se puede abrir el escenario «%1»: %2: %3</translation>
    </message>
    <message>
        <source>Cannot open scenario &quot;%1&quot;: %2</source>
        <translation>No se puede abrir el escenario «%1»: %2</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2</source>
        <translation>debe ser un número entero de %1 a %2</translation>
    </message>
    <message>
        <source>at most %1 runs</source>
        <translation>como máximo %1 ensayos</translation>
    </message>
    <message>
        <source>not a scenario file (JSON %1 at character %2)</source>
        <translation>no es un archivo de escenario (JSON %1 en el carácter %2)</translation>
    </message>
    <message>
        <source>the file is of format %1, written by a newer version of the program; this one reads format %2 only</source>
        <translation>el archivo tiene el formato %1, escrito por una versión más reciente del programa; esta solo lee el formato %2</translation>
    </message>
    <message>
        <source>must be a number</source>
        <translation>debe ser un número</translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation>debe ser un número finito</translation>
    </message>
    <message>
        <source>must be true or false</source>
        <translation>debe ser true o false</translation>
    </message>
    <message>
        <source>must be a text</source>
        <translation>debe ser un texto</translation>
    </message>
    <message>
        <source>must be an object</source>
        <translation>debe ser un objeto</translation>
    </message>
    <message>
        <source>must be a list</source>
        <translation>debe ser una lista</translation>
    </message>
    <message>
        <source>must be greater than k_from</source>
        <translation>debe ser mayor que k_from</translation>
    </message>
    <message>
        <source>must be one of gain, time-constant, motor-coef, motor-inertia, load-inertia, friction, feedback, teeth, setpoint</source>
        <translation>debe ser uno de gain, time-constant, motor-coef, motor-inertia, load-inertia, friction, feedback, teeth, setpoint</translation>
    </message>
    <message>
        <source>must be above 0 and at most 10 s</source>
        <translation>debe ser mayor que 0 y como máximo 10 s</translation>
    </message>
    <message>
        <source>not a scenario file (no JSON object)</source>
        <translation>no es un archivo de escenario (no hay objeto JSON)</translation>
    </message>
    <message>
        <source>missing: this is no scenario file</source>
        <translation>falta: no es un archivo de escenario</translation>
    </message>
    <message>
        <source>must be a whole number from 1</source>
        <translation>debe ser un número entero a partir de 1</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no existe el archivo</translation>
    </message>
    <message>
        <source>it is a directory</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>too large for a scenario file</source>
        <translation>demasiado grande para un archivo de escenario</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>No se puede crear el archivo «%1». %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>No se puede escribir el archivo «%1». %2</translation>
    </message>
    <message>
        <source>Preset velocity of load must be between %1 and %2</source>
        <translation>La consigna de velocidad debe estar entre %1 y %2</translation>
    </message>
    <message>
        <source>Sweep count must be between %1 and %2</source>
        <translation>El número de ensayos de un barrido debe estar entre %1 y %2</translation>
    </message>
    <message>
        <source>Sweep value %1=%2: %3</source>
        <translation>Valor del barrido %1=%2: %3</translation>
    </message>
</context>
<context>
    <name>ExplorerFigures</name>
    <message>
        <source>Natural frequency ωn, rad/s</source>
        <translation>Frecuencia natural ωn, rad/s</translation>
    </message>
    <message>
        <source>How fast the loop swings: ωn = √CoefVelocity, the distance of the poles from the origin.</source>
        <translation>Lo rápido que oscila el lazo: ωn = √CoefVelocity, la distancia de los polos al origen.</translation>
    </message>
    <message>
        <source>Damping ratio ζ</source>
        <translation>Coeficiente de amortiguamiento ζ</translation>
    </message>
    <message>
        <source>How quickly a swing dies away: ζ = CoefAccel / (2 √CoefVelocity). Below 1 the response overshoots; 1 is critical damping.</source>
        <translation>Lo rápido que se extingue una oscilación: ζ = CoefAccel / (2 √CoefVelocity). Por debajo de 1 la respuesta sobreoscila; 1 es el amortiguamiento crítico.</translation>
    </message>
    <message>
        <source>Pole 1, 1/s</source>
        <translation>Polo 1, 1/s</translation>
    </message>
    <message>
        <source>A root of s² + CoefAccel·s + CoefVelocity = 0: s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity).</source>
        <translation>Una raíz de s² + CoefAccel·s + CoefVelocity = 0: s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity).</translation>
    </message>
    <message>
        <source>Pole 2, 1/s</source>
        <translation>Polo 2, 1/s</translation>
    </message>
    <message>
        <source>The other root of s² + CoefAccel·s + CoefVelocity = 0.</source>
        <translation>La otra raíz de s² + CoefAccel·s + CoefVelocity = 0.</translation>
    </message>
    <message>
        <source>Loop DC gain L(0)</source>
        <translation>Ganancia estática del lazo L(0)</translation>
    </message>
    <message>
        <source>The open loop&apos;s gain at rest: L(0) = k·AmpGain·MotorCoef / ViscousFriction.</source>
        <translation>La ganancia estática del lazo abierto: L(0) = k·AmpGain·MotorCoef / ViscousFriction.</translation>
    </message>
    <message>
        <source>Error at the comparator, %</source>
        <translation>Error en el comparador, %</translation>
    </message>
    <message>
        <source>What is left at the comparator once the drive has settled, in % of the setpoint: (Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). Feedback drives it down as k rises.</source>
        <translation>Lo que queda en el comparador cuando el accionamiento se ha establecido, en % de la consigna: (Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). La realimentación lo reduce al crecer k.</translation>
    </message>
    <message>
        <source>Velocity reached ω∞, rad/s</source>
        <translation>Velocidad alcanzada ω∞, rad/s</translation>
    </message>
    <message>
        <source>The load velocity the drive settles at: ω∞ = CoefInput·Setpoint / CoefVelocity.</source>
        <translation>La velocidad de la carga en la que se establece el accionamiento: ω∞ = CoefInput·Setpoint / CoefVelocity.</translation>
    </message>
    <message>
        <source>Velocity error, % (rises with k in this drive)</source>
        <translation>Error de velocidad, % (crece con k en este accionamiento)</translation>
    </message>
    <message>
        <source>(Setpoint − ω∞) / Setpoint in %. The feedback compares k·ω with the setpoint, so a larger k makes the drive settle lower: this error rises with k while the comparator&apos;s error falls.</source>
        <translation>(Setpoint − ω∞) / Setpoint en %. La realimentación compara k·ω con la consigna, así que un k mayor hace que el accionamiento se establezca más abajo: este error crece con k mientras que el error del comparador disminuye.</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Sobreoscilación, %</translation>
    </message>
    <message>
        <source>How far the velocity swings past its final value, in % of it: 100·exp(−πζ/√(1−ζ²)) for ζ &lt; 1, 0 otherwise.</source>
        <translation>Cuánto sobrepasa la velocidad su valor final, en % de este: 100·exp(−πζ/√(1−ζ²)) para ζ &lt; 1, 0 en otro caso.</translation>
    </message>
    <message>
        <source>Peak time, s</source>
        <translation>Tiempo de pico, s</translation>
    </message>
    <message>
        <source>When the first peak comes: t = π / ωd, ωd = ωn√(1−ζ²).</source>
        <translation>Cuándo llega el primer pico: t = π / ωd, ωd = ωn√(1−ζ²).</translation>
    </message>
    <message>
        <source>Rise time 10–90 %, s</source>
        <translation>Tiempo de subida 10–90 %, s</translation>
    </message>
    <message>
        <source>The time from 10 % to 90 % of the final value on the step response.</source>
        <translation>El tiempo del 10 % al 90 % del valor final en la respuesta al escalón.</translation>
    </message>
    <message>
        <source>Settling time 2 %, s</source>
        <translation>Tiempo de establecimiento 2 %, s</translation>
    </message>
    <message>
        <source>The time after which the velocity stays within ±2 % of its final value (about 4 / (ζωn) for a lightly damped loop).</source>
        <translation>El tiempo a partir del cual la velocidad permanece dentro del ±2 % de su valor final (unos 4 / (ζωn) en un lazo poco amortiguado).</translation>
    </message>
    <message>
        <source>Settling time 5 %, s</source>
        <translation>Tiempo de establecimiento 5 %, s</translation>
    </message>
    <message>
        <source>The time after which the velocity stays within ±5 % of its final value (about 3 / (ζωn)).</source>
        <translation>El tiempo a partir del cual la velocidad permanece dentro del ±5 % de su valor final (unos 3 / (ζωn)).</translation>
    </message>
    <message>
        <source>Phase margin, °</source>
        <translation>Margen de fase, °</translation>
    </message>
    <message>
        <source>How far the open loop&apos;s phase stays from −180° where its gain is 1: 180° + ∠L(jωc).</source>
        <translation>Cuánto se aleja la fase del lazo abierto de −180° donde su ganancia es 1: 180° + ∠L(jωc).</translation>
    </message>
    <message>
        <source>Crossover frequency ωc, rad/s</source>
        <translation>Frecuencia de cruce ωc, rad/s</translation>
    </message>
    <message>
        <source>The frequency where the open loop&apos;s gain is 1: |L(jωc)| = 1 (none when L(0) ≤ 1).</source>
        <translation>La frecuencia en la que la ganancia del lazo abierto es 1: |L(jωc)| = 1 (ninguna si L(0) ≤ 1).</translation>
    </message>
    <message>
        <source>Bandwidth, rad/s</source>
        <translation>Ancho de banda, rad/s</translation>
    </message>
    <message>
        <source>The lowest frequency where the closed loop&apos;s gain falls to 1/√2 of its gain at rest: |T(jω)| = |T(0)|/√2.</source>
        <translation>La frecuencia más baja en la que la ganancia del lazo cerrado cae a 1/√2 de su ganancia estática: |T(jω)| = |T(0)|/√2.</translation>
    </message>
    <message>
        <source>Resonance peak, dB</source>
        <translation>Pico de resonancia, dB</translation>
    </message>
    <message>
        <source>How far the closed loop&apos;s gain rises above its gain at rest: 20·log10(max|T| / |T(0)|) = −20·log10(2ζ√(1−ζ²)) for ζ &lt; 1/√2, 0 otherwise.</source>
        <translation>Cuánto sube la ganancia del lazo cerrado por encima de su ganancia estática: 20·log10(max|T| / |T(0)|) = −20·log10(2ζ√(1−ζ²)) para ζ &lt; 1/√2, 0 en otro caso.</translation>
    </message>
</context>
<context>
    <name>LabReport</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrada</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Entradas</translation>
    </message>
    <message>
        <source>The feedback coefficient explored</source>
        <translation>Exploración del coeficiente de realimentación</translation>
    </message>
    <message>
        <source>The loop at k = %1 V·s/rad, from its closed form and measured on the drive&apos;s own run from rest; k explored from %2 to %3 V·s/rad.</source>
        <translation>El lazo con k = %1 V·s/rad, por su forma analítica y medido en un ensayo propio del accionamiento desde el reposo; k explorado de %2 a %3 V·s/rad.</translation>
    </message>
    <message>
        <source>The setpoint being 0, the explorer steps to %1 rad/s.</source>
        <translation>Al ser la consigna 0, el explorador aplica un escalón de %1 rad/s.</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Índice</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Fórmula</translation>
    </message>
    <message>
        <source>Measured</source>
        <translation>Medido</translation>
    </message>
    <message>
        <source>Design target</source>
        <translation>Objetivo de diseño</translation>
    </message>
    <message>
        <source>Design targets</source>
        <translation>Objetivos de diseño</translation>
    </message>
    <message>
        <source>No design target was set.</source>
        <translation>No se fijó ningún objetivo de diseño.</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Objetivo</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Límite</translation>
    </message>
    <message>
        <source>At this k</source>
        <translation>Con este k</translation>
    </message>
    <message>
        <source>Answer: %1</source>
        <translation>Respuesta: %1</translation>
    </message>
    <message>
        <source>Runs</source>
        <translation>Ensayos</translation>
    </message>
    <message>
        <source>No run was kept.</source>
        <translation>No se conservó ningún ensayo.</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N.º</translation>
    </message>
    <message>
        <source>Key figures: measured on the run / from the loop&apos;s closed form; — where the run does not reach the figure.</source>
        <translation>Índices: medidos en el ensayo / según la forma analítica del lazo; — donde el ensayo no alcanza el índice.</translation>
    </message>
    <message>
        <source>Lab report</source>
        <translation>Informe de laboratorio</translation>
    </message>
    <message>
        <source>Student</source>
        <translation>Estudiante</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
    <message>
        <source>Step responses</source>
        <translation>Respuestas al escalón</translation>
    </message>
    <message>
        <source>Sweep of %1</source>
        <translation>Barrido de %1</translation>
    </message>
    <message>
        <source>Sweep of %1: %2 runs from %3 to %4</source>
        <translation>Barrido de %1: %2 ensayos de %3 a %4</translation>
    </message>
    <message>
        <source>DriveSim lab report</source>
        <translation>Informe de laboratorio de DriveSim</translation>
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
        <translation>ganancia</translation>
    </message>
    <message>
        <source>time constant</source>
        <translation>constante de tiempo</translation>
    </message>
    <message>
        <source>motor coef.</source>
        <translation>coef. del motor</translation>
    </message>
    <message>
        <source>motor inertia</source>
        <translation>inercia del motor</translation>
    </message>
    <message>
        <source>load inertia</source>
        <translation>inercia de la carga</translation>
    </message>
    <message>
        <source>friction</source>
        <translation>rozamiento</translation>
    </message>
    <message>
        <source>teeth</source>
        <translation>dientes</translation>
    </message>
    <message>
        <source>setpoint</source>
        <translation>consigna</translation>
    </message>
    <message>
        <source>inputs changed at t = %1 s</source>
        <translation>datos cambiados en t = %1 s</translation>
    </message>
    <message>
        <source>at t = %1 s: %2</source>
        <translation>en t = %1 s: %2</translation>
    </message>
    <message>
        <source>in tick %1: %2</source>
        <translation>en el paso %1: %2</translation>
    </message>
</context>
<context>
    <name>LabTable</name>
    <message>
        <source>settled</source>
        <translation>establecido</translation>
    </message>
    <message>
        <source>not settled</source>
        <translation>no establecido</translation>
    </message>
    <message>
        <source>no response</source>
        <translation>sin respuesta</translation>
    </message>
    <message>
        <source>unstable</source>
        <translation>inestable</translation>
    </message>
    <message>
        <source>diverged</source>
        <translation>divergente</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Sobreoscilación, %</translation>
    </message>
    <message>
        <source>Peak time, ms</source>
        <translation>Tiempo de pico, ms</translation>
    </message>
    <message>
        <source>Rise time, ms</source>
        <translation>Tiempo de subida, ms</translation>
    </message>
    <message>
        <source>Settling 2 %, ms</source>
        <translation>Tiempo de establecimiento 2 %, ms</translation>
    </message>
    <message>
        <source>Static error, %</source>
        <translation>Error estático, %</translation>
    </message>
    <message>
        <source>Settling 5 %, ms
measured</source>
        <translation>Establecimiento 5 %, ms
medido</translation>
    </message>
    <message>
        <source>Settling 5 %, ms
theory</source>
        <translation>Establecimiento 5 %, ms
teoría</translation>
    </message>
    <message>
        <source>Crossings</source>
        <translation>Cruces</translation>
    </message>
    <message>
        <source>Damping
ratio</source>
        <translation>Coef. de
amortiguamiento</translation>
    </message>
    <message>
        <source>Natural freq.,
rad/s</source>
        <translation>Frec. natural,
rad/s</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ensayo</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>meas. / theory</source>
        <translation>med. / teoría</translation>
    </message>
    <message>
        <source>%1 measured	%1 theory</source>
        <translation>%1 medido	%1 teoría</translation>
    </message>
</context>
<context>
    <name>Sweep</name>
    <message>
        <source>Gain</source>
        <translation>Ganancia</translation>
    </message>
    <message>
        <source>Time constant, s</source>
        <translation>Constante de tiempo, s</translation>
    </message>
    <message>
        <source>Motor coefficient, rad/sV</source>
        <translation>Coeficiente del motor, rad/sV</translation>
    </message>
    <message>
        <source>Motor moment of inertia, kgm2</source>
        <translation>Momento de inercia del motor, kgm2</translation>
    </message>
    <message>
        <source>Load moment of inertia, kgm2</source>
        <translation>Momento de inercia de la carga, kgm2</translation>
    </message>
    <message>
        <source>Coefficient of viscous friction, Nms/rad</source>
        <translation>Coeficiente de rozamiento viscoso, Nms/rad</translation>
    </message>
    <message>
        <source>Feedback coefficient, Vs/rad</source>
        <translation>Coeficiente de realimentación, Vs/rad</translation>
    </message>
    <message>
        <source>Number of gear teeth</source>
        <translation>Número de dientes del engranaje</translation>
    </message>
    <message>
        <source>Preset velocity of load, rad/s</source>
        <translation>Consigna de velocidad, rad/s</translation>
    </message>
</context>
<context>
    <name>SweepName</name>
    <message>
        <source>gain</source>
        <translation>ganancia</translation>
    </message>
    <message>
        <source>time-constant</source>
        <translation>constante de tiempo</translation>
    </message>
    <message>
        <source>motor-coef</source>
        <translation>coeficiente del motor</translation>
    </message>
    <message>
        <source>motor-inertia</source>
        <translation>inercia del motor</translation>
    </message>
    <message>
        <source>load-inertia</source>
        <translation>inercia de la carga</translation>
    </message>
    <message>
        <source>friction</source>
        <translation>rozamiento</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>realimentación</translation>
    </message>
    <message>
        <source>teeth</source>
        <translation>dientes</translation>
    </message>
    <message>
        <source>setpoint</source>
        <translation>consigna</translation>
    </message>
</context>
<context>
    <name>TExplorerWindow</name>
    <message>
        <source>Explore the feedback coefficient</source>
        <translation>Explorar el coeficiente de realimentación</translation>
    </message>
    <message>
        <source>Amplifier gain</source>
        <translation>Ganancia del amplificador</translation>
    </message>
    <message>
        <source>Amplifier time constant, s</source>
        <translation>Constante de tiempo del amplificador, s</translation>
    </message>
    <message>
        <source>Motor coefficient, rad/(s·V)</source>
        <translation>Coeficiente del motor, rad/(s·V)</translation>
    </message>
    <message>
        <source>Motor inertia, kg·m²</source>
        <translation>Inercia del motor, kg·m²</translation>
    </message>
    <message>
        <source>Load inertia, kg·m²</source>
        <translation>Inercia de la carga, kg·m²</translation>
    </message>
    <message>
        <source>Viscous friction, N·m·s/rad</source>
        <translation>Rozamiento viscoso, N·m·s/rad</translation>
    </message>
    <message>
        <source>Overshoot ≤, %</source>
        <translation>Sobreoscilación ≤, %</translation>
    </message>
    <message>
        <source>Settling 2 % ≤, s</source>
        <translation>Establecimiento 2 % ≤, s</translation>
    </message>
    <message>
        <source>Settling 5 % ≤, s</source>
        <translation>Establecimiento 5 % ≤, s</translation>
    </message>
    <message>
        <source>Rise time ≤, s</source>
        <translation>Tiempo de subida ≤, s</translation>
    </message>
    <message>
        <source>Comparator error ≤, %</source>
        <translation>Error en el comparador ≤, %</translation>
    </message>
    <message>
        <source>Damping ratio ≥</source>
        <translation>Coef. de amortiguamiento ≥</translation>
    </message>
    <message>
        <source>Phase margin ≥, °</source>
        <translation>Margen de fase ≥, °</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid number for %2</source>
        <translation>«%1» no es un número válido para %2</translation>
    </message>
    <message>
        <source>Feedback coefficient &amp;k, V·s/rad:</source>
        <translation>Coeficiente de realimentación &amp;k, V·s/rad:</translation>
    </message>
    <message>
        <source>from</source>
        <translation>de</translation>
    </message>
    <message>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Índice</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Fórmula</translation>
    </message>
    <message>
        <source>Simulated</source>
        <translation>Simulado</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Objetivo</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Accionamiento</translation>
    </message>
    <message>
        <source>Load gear teeth</source>
        <translation>Dientes del engranaje de la carga</translation>
    </message>
    <message>
        <source>Setpoint, rad/s</source>
        <translation>Consigna, rad/s</translation>
    </message>
    <message>
        <source>&amp;Take the main window&apos;s inputs</source>
        <translation>&amp;Tomar los datos de la ventana principal</translation>
    </message>
    <message>
        <source>Design targets</source>
        <translation>Objetivos de diseño</translation>
    </message>
    <message>
        <source>&amp;Run on the drive</source>
        <translation>&amp;Ejecutar en el accionamiento</translation>
    </message>
    <message>
        <source>K&amp;eep</source>
        <translation>&amp;Conservar</translation>
    </message>
    <message>
        <source>the feedback coefficient</source>
        <translation>el coeficiente de realimentación</translation>
    </message>
    <message>
        <source>the start of the range</source>
        <translation>el inicio del intervalo</translation>
    </message>
    <message>
        <source>the end of the range</source>
        <translation>el final del intervalo</translation>
    </message>
    <message>
        <source>The range of k needs two different ends</source>
        <translation>El intervalo de k necesita dos extremos distintos</translation>
    </message>
    <message>
        <source>Switch on a design target to see which k meet it.</source>
        <translation>Active un objetivo de diseño para ver qué valores de k lo cumplen.</translation>
    </message>
    <message>
        <source>met</source>
        <translation>cumplido</translation>
    </message>
    <message>
        <source>not met</source>
        <translation>no cumplido</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>O&amp;pen scenario…</source>
        <translation>A&amp;brir escenario…</translation>
    </message>
    <message>
        <source>Sa&amp;ve scenario…</source>
        <translation>&amp;Guardar escenario…</translation>
    </message>
    <message>
        <source>Recen&amp;t scenarios</source>
        <translation>Escenarios &amp;recientes</translation>
    </message>
    <message>
        <source>Save &amp;oscilloscope picture…</source>
        <translation>Guardar imagen del &amp;osciloscopio…</translation>
    </message>
    <message>
        <source>Save &amp;run as CSV…</source>
        <translation>Guardar ensayo como &amp;CSV…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Lab</source>
        <translation>&amp;Laboratorio</translation>
    </message>
    <message>
        <source>&amp;Quality of regulation…</source>
        <translation>&amp;Calidad de regulación…</translation>
    </message>
    <message>
        <source>&amp;Explore the feedback coefficient…</source>
        <translation>&amp;Explorar el coeficiente de realimentación…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>&amp;Instrucciones</translation>
    </message>
    <message>
        <source>Reset &amp;settings</source>
        <translation>&amp;Restablecer la configuración</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Guía del usuario</translation>
    </message>
    <message>
        <source>Save oscilloscope picture</source>
        <translation>Guardar imagen del osciloscopio</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>Imágenes PNG (*.png);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Save run as CSV</source>
        <translation>Guardar ensayo como CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Archivos CSV (*.csv);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>The influence of the feedback coefficient on the quality of regulation</source>
        <translation>Influencia del coeficiente de realimentación en la calidad de regulación</translation>
    </message>
    <message>
        <source>INITIAL DATA</source>
        <translation>DATOS INICIALES</translation>
    </message>
    <message>
        <source>Converter-amplifier</source>
        <translation>Convertidor-amplificador</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Ganancia</translation>
    </message>
    <message>
        <source>Time constant, s</source>
        <translation>Constante de tiempo, s</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>Coefficient, rad/sV</source>
        <translation>Coeficiente, rad/sV</translation>
    </message>
    <message>
        <source>Moment of inertia, kgm</source>
        <translation>Momento de inercia, kgm</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Carga</translation>
    </message>
    <message>
        <source>Coefficient of viscous</source>
        <translation>Coeficiente de rozamiento</translation>
    </message>
    <message>
        <source>friction, Nms/rad</source>
        <translation>viscoso, Nms/rad</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Realimentación</translation>
    </message>
    <message>
        <source>Coefficient, Vs/rad</source>
        <translation>Coeficiente, Vs/rad</translation>
    </message>
    <message>
        <source>Preset velocity of load, rad/s</source>
        <translation>Consigna de velocidad, rad/s</translation>
    </message>
    <message>
        <source>Number of gear teeth</source>
        <translation>Dientes del engranaje</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Oscilloscope</source>
        <translation>Osciloscopio</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Tiempo, s</translation>
    </message>
    <message>
        <source>Velosity, rad/s</source>
        <translation>Velocidad, rad/s</translation>
    </message>
    <message>
        <source>Scenarios (*.drivesim);;All files (*)</source>
        <translation>Escenarios (*.drivesim);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Open scenario</source>
        <translation>Abrir escenario</translation>
    </message>
    <message>
        <source>Save scenario</source>
        <translation>Guardar escenario</translation>
    </message>
    <message>
        <source>The scenario has changed since it was saved.</source>
        <translation>El escenario ha cambiado desde que se guardó.</translation>
    </message>
    <message>
        <source>The kept runs of the lab are in no scenario file.</source>
        <translation>Los ensayos conservados del laboratorio no están en ningún archivo de escenario.</translation>
    </message>
    <message>
        <source>Save the scenario before leaving?</source>
        <translation>¿Guardar el escenario antes de salir?</translation>
    </message>
    <message>
        <source>&amp;Export lab report (PDF)…</source>
        <translation>&amp;Exportar informe de laboratorio (PDF)…</translation>
    </message>
    <message>
        <source>Export lab report</source>
        <translation>Exportar informe de laboratorio</translation>
    </message>
    <message>
        <source>Your name, for the report:</source>
        <translation>Su nombre, para el informe:</translation>
    </message>
    <message>
        <source>Export lab report (PDF)</source>
        <translation>Exportar informe de laboratorio (PDF)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;All files (*)</source>
        <translation>Archivos PDF (*.pdf);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Ensayo actual</translation>
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
        <translation>El programa sirve para estudiar la influencia del coeficiente de realimentación de un sistema de control automático sobre la precisión de la regulación.
Introduzca primero los datos iniciales en los campos de la parte izquierda de la ventana principal. Después fije la consigna de velocidad angular de la carga y pulse el botón «Iniciar». ¡Escriba los números decimales con el separador decimal de su sistema (en español, la coma)!
En la ventana de animación empieza el movimiento, y el osciloscopio muestra las curvas de la consigna de velocidad angular (línea verde) y de la velocidad angular de la carga (línea azul).
Para medir con precisión los valores de las curvas, puede ampliar cualquier parte de ellas. Para ello, sitúe el ratón en la esquina superior izquierda de la zona, pulse el botón izquierdo, arrastre el ratón hacia abajo y a la derecha y suelte el botón. La ampliación puede repetirse varias veces. Para volver al tamaño original, arrastre el ratón en sentido contrario.
Para cambiar la relación de transmisión del reductor, use las flechas junto al número de dientes del engranaje.
El botón «Pausa» detiene momentáneamente la simulación, el botón «Reiniciar» devuelve el programa a su estado inicial.
El programa toma en cuenta los cambios de los datos iniciales cuando pulsa el botón «Iniciar».</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instrucciones</translation>
    </message>
</context>
<context>
    <name>TLabWindow</name>
    <message>
        <source>The number of runs must be between %1 and %2</source>
        <translation>El número de ensayos debe estar entre %1 y %2</translation>
    </message>
    <message>
        <source>The duration must be between %1 and %2 s</source>
        <translation>La duración debe estar entre %1 y %2 s</translation>
    </message>
    <message>
        <source>R&amp;un sweep</source>
        <translation>&amp;Iniciar barrido</translation>
    </message>
    <message>
        <source>Ca&amp;ncel</source>
        <translation>Cance&amp;lar</translation>
    </message>
    <message>
        <source>&amp;Parameter</source>
        <translation>&amp;Parámetro</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <translation>&amp;De</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <translation>&amp;Hasta</translation>
    </message>
    <message>
        <source>C&amp;ount</source>
        <translation>&amp;Número</translation>
    </message>
    <message>
        <source>&amp;Duration (s)</source>
        <translation>D&amp;uración (s)</translation>
    </message>
    <message>
        <source>%v of %m runs</source>
        <translation>%v de %m ensayos</translation>
    </message>
    <message>
        <source>Running %1 runs of %2 s…</source>
        <translation>Ejecutando %1 ensayos de %2 s…</translation>
    </message>
    <message>
        <source>%1 of %2 runs done</source>
        <translation>%1 de %2 ensayos hechos</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Cancelando…</translation>
    </message>
    <message>
        <source>Sweep cancelled: the kept runs are as they were.</source>
        <translation>Barrido cancelado: los ensayos conservados siguen como estaban.</translation>
    </message>
    <message>
        <source>%1 runs of %2 kept</source>
        <translation>%1 ensayos conservados (parámetro variado: %2)</translation>
    </message>
    <message>
        <source>Quality of regulation</source>
        <translation>Calidad de regulación</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
    <message>
        <source>&amp;Keep run</source>
        <translation>&amp;Conservar ensayo</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Vaciar</translation>
    </message>
    <message>
        <source>Save t&amp;able as CSV…</source>
        <translation>Guardar &amp;tabla como CSV…</translation>
    </message>
    <message>
        <source>Save c&amp;harts as PNG…</source>
        <translation>Guardar &amp;gráficos como PNG…</translation>
    </message>
    <message>
        <source>Sweep</source>
        <translation>Barrido</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Ensayo actual</translation>
    </message>
    <message>
        <source>No current run: “Process” in the main window starts one (after “Reset”, from rest).</source>
        <translation>No hay ensayo actual: «Iniciar» en la ventana principal empieza uno (tras «Reiniciar», desde el reposo).</translation>
    </message>
    <message>
        <source>A sweep&apos;s figures against the swept value appear here.</source>
        <translation>Aquí: índices de un barrido según el valor variado.</translation>
    </message>
    <message>
        <source>Save table as CSV</source>
        <translation>Guardar tabla como CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Archivos CSV (*.csv);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Save charts as PNG</source>
        <translation>Guardar gráficos como PNG</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>Imágenes PNG (*.png);;Todos los archivos (*)</translation>
    </message>
</context>
</TS>
