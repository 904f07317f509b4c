<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>Application</name>
    <message>
        <source>Unknown exception</source>
        <translation>Неизвестное исключение</translation>
    </message>
</context>
<context>
    <name>Charts</name>
    <message>
        <source>Step responses</source>
        <translation>Переходные характеристики</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Время, с</translation>
    </message>
    <message>
        <source>Velocity, rad/s</source>
        <translation>Скорость, рад/с</translation>
    </message>
    <message>
        <source>±2 % band</source>
        <translation>Зона ±2 %</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Текущий опыт</translation>
    </message>
    <message>
        <source>Setpoint</source>
        <translation>Задание</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Перерег., %</translation>
    </message>
    <message>
        <source>Static error, %</source>
        <translation>Стат. ошибка, %</translation>
    </message>
    <message>
        <source>Settling 2 %, ms</source>
        <translation>Вр. рег. 2 %, мс</translation>
    </message>
    <message>
        <source>Step response figures</source>
        <translation>Показатели качества</translation>
    </message>
    <message>
        <source>%1 measured</source>
        <translation>%1 (изм.)</translation>
    </message>
    <message>
        <source>closed form</source>
        <translation>аналитически</translation>
    </message>
    <message>
        <source>main window</source>
        <translation>главное окно</translation>
    </message>
    <message>
        <source>Step response</source>
        <translation>Переходный процесс</translation>
    </message>
    <message>
        <source>Load velocity, rad/s</source>
        <translation>Скорость нагрузки, рад/с</translation>
    </message>
    <message>
        <source>Final value ±2 %</source>
        <translation>Уст. значение ±2 %</translation>
    </message>
    <message>
        <source>Simulated run</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Аналитически</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <source>Rise</source>
        <translation>Нарастание</translation>
    </message>
    <message>
        <source>Settling 2 %</source>
        <translation>Регулирование 2 %</translation>
    </message>
    <message>
        <source>Peak +%1 % at %2 s</source>
        <translation>Макс. +%1 % при %2 с</translation>
    </message>
    <message>
        <source>Rise 10-90 %: %1 s</source>
        <translation>tн 10-90 %: %1 с</translation>
    </message>
    <message>
        <source>Settling 2 %: %1 s</source>
        <translation>tр 2 %: %1 с</translation>
    </message>
    <message>
        <source>Frequency response</source>
        <translation>ЛАЧХ и ЛФЧХ</translation>
    </message>
    <message>
        <source>Frequency ω, rad/s</source>
        <translation>Частота ω, рад/с</translation>
    </message>
    <message>
        <source>Magnitude, dB</source>
        <translation>Амплитуда, дБ</translation>
    </message>
    <message>
        <source>Phase, °</source>
        <translation>Фаза, °</translation>
    </message>
    <message>
        <source>Open loop |L(jω)|</source>
        <translation>Разомкнутый контур |L(jω)|</translation>
    </message>
    <message>
        <source>Closed loop |T(jω)|</source>
        <translation>Замкнутый контур |T(jω)|</translation>
    </message>
    <message>
        <source>Open loop phase ∠L(jω)</source>
        <translation>Фаза ∠L(jω)</translation>
    </message>
    <message>
        <source>Crossover</source>
        <translation>Частота среза</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Полоса пропускания</translation>
    </message>
    <message>
        <source>Resonance peak</source>
        <translation>Резонансный пик</translation>
    </message>
    <message>
        <source>Phase margin</source>
        <translation>Запас по фазе</translation>
    </message>
    <message>
        <source>Crossover ωc = %1 rad/s</source>
        <translation>Срез ωc = %1 рад/с</translation>
    </message>
    <message>
        <source>Phase margin %1°</source>
        <translation>Запас по фазе %1°</translation>
    </message>
    <message>
        <source>Bandwidth ωb = %1 rad/s</source>
        <translation>Полоса ωb = %1 рад/с</translation>
    </message>
    <message>
        <source>Resonance peak +%1 dB at %2 rad/s</source>
        <translation>Резонанс +%1 дБ при %2 рад/с</translation>
    </message>
    <message>
        <source>Setpoints</source>
        <translation>Задания</translation>
    </message>
    <message>
        <source>Poles</source>
        <translation>Полюсы</translation>
    </message>
    <message>
        <source>σ, 1/s</source>
        <translation>σ, 1/с</translation>
    </message>
    <message>
        <source>jω, rad/s</source>
        <translation>jω, рад/с</translation>
    </message>
    <message>
        <source>Targets allow</source>
        <translation>Допустимо по целям</translation>
    </message>
    <message>
        <source>Natural frequency ωn</source>
        <translation>Собственная частота ωn</translation>
    </message>
    <message>
        <source>Damping ratio ζ</source>
        <translation>Демпфирование ζ</translation>
    </message>
    <message>
        <source>Stability boundary</source>
        <translation>Граница устойчивости</translation>
    </message>
    <message>
        <source>Root locus</source>
        <translation>Корневой годограф</translation>
    </message>
    <message>
        <source>Meets the targets</source>
        <translation>Удовлетворяет целям</translation>
    </message>
    <message>
        <source>Critically damped</source>
        <translation>Критическое демпфирование</translation>
    </message>
    <message>
        <source>Pole at the origin</source>
        <translation>Полюс в начале координат</translation>
    </message>
    <message>
        <source>Poles at k = %1: %2</source>
        <translation>Полюсы k = %1: %2</translation>
    </message>
    <message>
        <source>k = %1: critically damped, poles meet at %2</source>
        <translation>k = %1: крит. демпф., полюсы в %2</translation>
    </message>
    <message>
        <source>k = %1: a pole at 0, unstable below</source>
        <translation>k = %1: полюс в 0, ниже неустойчиво</translation>
    </message>
    <message>
        <source>Targets allow %1</source>
        <translation>Допустимо по целям: %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
    <message>
        <source>Meets the targets: k %1</source>
        <translation>Удовлетворяет целям: k %1</translation>
    </message>
</context>
<context>
    <name>DesignSentence</name>
    <message>
        <source>all three targets</source>
        <translation>всем трём целям</translation>
    </message>
    <message>
        <source>all four targets</source>
        <translation>всем четырём целям</translation>
    </message>
    <message>
        <source>all five targets</source>
        <translation>всем пяти целям</translation>
    </message>
    <message>
        <source>all six targets</source>
        <translation>всем шести целям</translation>
    </message>
    <message>
        <source>all seven targets</source>
        <translation>всем семи целям</translation>
    </message>
    <message>
        <source>the %1 target</source>
        <translation>цели «%1»</translation>
    </message>
    <message>
        <source> or </source>
        <translation> или </translation>
    </message>
    <message>
        <source>any k</source>
        <translation>любое k</translation>
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
        <translation>k от %1 до %2</translation>
    </message>
    <message>
        <source>no design targets are set</source>
        <translation>цели синтеза не заданы</translation>
    </message>
    <message>
        <source>both targets</source>
        <translation>обеим целям</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
    <message>
        <source> or from %1 to %2</source>
        <translation> или от %1 до %2</translation>
    </message>
    <message>
        <source>%1 meets %2</source>
        <translation>%1 удовлетворяет %2</translation>
    </message>
    <message>
        <source>no k from %1 meets %2</source>
        <translation>ни одно k %1 не удовлетворяет %2</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>для %1 нужно %2</translation>
    </message>
    <message>
        <source>no k from %1 meets them</source>
        <translation>ни одно k %1 не удовлетворяет им</translation>
    </message>
    <message>
        <source>%1 is met by no k in the range</source>
        <translation>%1 не удовлетворяет ни одно k диапазона</translation>
    </message>
    <message>
        <source>%1 are met by no k in the range</source>
        <translation>%1 не удовлетворяет ни одно k диапазона</translation>
    </message>
</context>
<context>
    <name>DesignTargets</name>
    <message>
        <source>overshoot</source>
        <translation>перерегулирование</translation>
    </message>
    <message>
        <source>2 % settling</source>
        <translation>время регулирования 2 %</translation>
    </message>
    <message>
        <source>5 % settling</source>
        <translation>время регулирования 5 %</translation>
    </message>
    <message>
        <source>rise time</source>
        <translation>время нарастания</translation>
    </message>
    <message>
        <source>error</source>
        <translation>рассогласование</translation>
    </message>
    <message>
        <source>damping</source>
        <translation>демпфирование</translation>
    </message>
    <message>
        <source>phase margin</source>
        <translation>запас по фазе</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Не сохранять</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>Floating point division by zero</source>
        <translation>Деление на ноль в вычислениях с плавающей точкой</translation>
    </message>
    <message>
        <source>Invalid floating point operation</source>
        <translation>Недопустимая операция с плавающей точкой</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Переполнение в вычислениях с плавающей точкой</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>«%1» не является допустимым вещественным числом</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» не является допустимым целым числом</translation>
    </message>
    <message>
        <source>Number of gear teeth must be between 1 and 55</source>
        <translation>Число зубьев должно быть от 1 до 55</translation>
    </message>
    <message>
        <source>Cannot open scenario &quot;%1&quot;: %2: %3</source>
        <translation>Не удаётся открыть сценарий «%1»: %2: %3</translation>
    </message>
    <message>
        <source>Cannot open scenario &quot;%1&quot;: %2</source>
        <translation>Не удаётся открыть сценарий «%1»: %2</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2</source>
        <translation>должно быть целым числом от %1 до %2</translation>
    </message>
    <message>
        <source>at most %1 runs</source>
        <translation>не более %1 опытов</translation>
    </message>
    <message>
        <source>not a scenario file (JSON %1 at character %2)</source>
        <translation>не файл сценария (JSON: %1 в символе %2)</translation>
    </message>
    <message>
        <source>the file is of format %1, written by a newer version of the program; this one reads format %2 only</source>
        <translation>файл имеет формат %1 и записан более новой версией программы; эта версия читает только формат %2</translation>
    </message>
    <message>
        <source>must be a number</source>
        <translation>должно быть числом</translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation>должно быть конечным числом</translation>
    </message>
    <message>
        <source>must be true or false</source>
        <translation>должно быть true или false</translation>
    </message>
    <message>
        <source>must be a text</source>
        <translation>должно быть текстом</translation>
    </message>
    <message>
        <source>must be an object</source>
        <translation>должно быть объектом</translation>
    </message>
    <message>
        <source>must be a list</source>
        <translation>должно быть списком</translation>
    </message>
    <message>
        <source>must be greater than k_from</source>
        <translation>должно быть больше k_from</translation>
    </message>
    <message>
        <source>must be one of gain, time-constant, motor-coef, motor-inertia, load-inertia, friction, feedback, teeth, setpoint</source>
        <translation>должно быть одним из: gain, time-constant, motor-coef, motor-inertia, load-inertia, friction, feedback, teeth, setpoint</translation>
    </message>
    <message>
        <source>must be above 0 and at most 10 s</source>
        <translation>должно быть больше 0 и не более 10 с</translation>
    </message>
    <message>
        <source>not a scenario file (no JSON object)</source>
        <translation>не файл сценария (нет объекта JSON)</translation>
    </message>
    <message>
        <source>missing: this is no scenario file</source>
        <translation>отсутствует: это не файл сценария</translation>
    </message>
    <message>
        <source>must be a whole number from 1</source>
        <translation>должно быть целым числом от 1</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>нет такого файла</translation>
    </message>
    <message>
        <source>it is a directory</source>
        <translation>это каталог</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>не обычный файл</translation>
    </message>
    <message>
        <source>too large for a scenario file</source>
        <translation>слишком большой для файла сценария</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Не удаётся создать файл «%1». %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>Не удаётся записать файл «%1». %2</translation>
    </message>
    <message>
        <source>Preset velocity of load must be between %1 and %2</source>
        <translation>Заданная скорость нагрузки должна быть от %1 до %2</translation>
    </message>
    <message>
        <source>Sweep count must be between %1 and %2</source>
        <translation>Число опытов серии должно быть от %1 до %2</translation>
    </message>
    <message>
        <source>Sweep value %1=%2: %3</source>
        <translation>Значение серии %1=%2: %3</translation>
    </message>
</context>
<context>
    <name>ExplorerFigures</name>
    <message>
        <source>Natural frequency ωn, rad/s</source>
        <translation>Собственная частота ωn, рад/с</translation>
    </message>
    <message>
        <source>How fast the loop swings: ωn = √CoefVelocity, the distance of the poles from the origin.</source>
        <translation>Как быстро колеблется контур: ωn = √CoefVelocity, расстояние полюсов от начала координат.</translation>
    </message>
    <message>
        <source>Damping ratio ζ</source>
        <translation>Коэффициент демпфирования ζ</translation>
    </message>
    <message>
        <source>How quickly a swing dies away: ζ = CoefAccel / (2 √CoefVelocity). Below 1 the response overshoots; 1 is critical damping.</source>
        <translation>Как быстро затухают колебания: ζ = CoefAccel / (2 √CoefVelocity). При значении меньше 1 есть перерегулирование; 1 — критическое демпфирование.</translation>
    </message>
    <message>
        <source>Pole 1, 1/s</source>
        <translation>Полюс 1, 1/с</translation>
    </message>
    <message>
        <source>A root of s² + CoefAccel·s + CoefVelocity = 0: s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity).</source>
        <translation>Корень уравнения s² + CoefAccel·s + CoefVelocity = 0: s = −CoefAccel/2 ± √(CoefAccel²/4 − CoefVelocity).</translation>
    </message>
    <message>
        <source>Pole 2, 1/s</source>
        <translation>Полюс 2, 1/с</translation>
    </message>
    <message>
        <source>The other root of s² + CoefAccel·s + CoefVelocity = 0.</source>
        <translation>Второй корень уравнения s² + CoefAccel·s + CoefVelocity = 0.</translation>
    </message>
    <message>
        <source>Loop DC gain L(0)</source>
        <translation>Усиление контура L(0)</translation>
    </message>
    <message>
        <source>The open loop&apos;s gain at rest: L(0) = k·AmpGain·MotorCoef / ViscousFriction.</source>
        <translation>Статический коэффициент усиления разомкнутого контура: L(0) = k·AmpGain·MotorCoef / ViscousFriction.</translation>
    </message>
    <message>
        <source>Error at the comparator, %</source>
        <translation>Рассогласование, %</translation>
    </message>
    <message>
        <source>What is left at the comparator once the drive has settled, in % of the setpoint: (Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). Feedback drives it down as k rises.</source>
        <translation>Что остаётся на элементе сравнения в установившемся режиме, в % от задания: (Setpoint − k·ω∞) / Setpoint = 100 / (1 + L(0)). С ростом k обратная связь её уменьшает.</translation>
    </message>
    <message>
        <source>Velocity reached ω∞, rad/s</source>
        <translation>Достигнутая скорость ω∞, рад/с</translation>
    </message>
    <message>
        <source>The load velocity the drive settles at: ω∞ = CoefInput·Setpoint / CoefVelocity.</source>
        <translation>Установившаяся скорость нагрузки: ω∞ = CoefInput·Setpoint / CoefVelocity.</translation>
    </message>
    <message>
        <source>Velocity error, % (rises with k in this drive)</source>
        <translation>Ошибка по скорости, % (растёт с k)</translation>
    </message>
    <message>
        <source>(Setpoint − ω∞) / Setpoint in %. The feedback compares k·ω with the setpoint, so a larger k makes the drive settle lower: this error rises with k while the comparator&apos;s error falls.</source>
        <translation>(Setpoint − ω∞) / Setpoint в %. Обратная связь сравнивает k·ω с заданием, поэтому при большем k привод выходит на меньшую скорость: эта ошибка растёт с k, а ошибка на элементе сравнения падает.</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Перерегулирование, %</translation>
    </message>
    <message>
        <source>How far the velocity swings past its final value, in % of it: 100·exp(−πζ/√(1−ζ²)) for ζ &lt; 1, 0 otherwise.</source>
        <translation>Насколько скорость превышает установившееся значение, в % от него: 100·exp(−πζ/√(1−ζ²)) при ζ &lt; 1, иначе 0.</translation>
    </message>
    <message>
        <source>Peak time, s</source>
        <translation>Время максимума, с</translation>
    </message>
    <message>
        <source>When the first peak comes: t = π / ωd, ωd = ωn√(1−ζ²).</source>
        <translation>Момент первого максимума: t = π / ωd, ωd = ωn√(1−ζ²).</translation>
    </message>
    <message>
        <source>Rise time 10–90 %, s</source>
        <translation>Время нарастания 10–90 %, с</translation>
    </message>
    <message>
        <source>The time from 10 % to 90 % of the final value on the step response.</source>
        <translation>Время от 10 % до 90 % установившегося значения на переходной характеристике.</translation>
    </message>
    <message>
        <source>Settling time 2 %, s</source>
        <translation>Время регулирования 2 %, с</translation>
    </message>
    <message>
        <source>The time after which the velocity stays within ±2 % of its final value (about 4 / (ζωn) for a lightly damped loop).</source>
        <translation>Время, после которого скорость остаётся в пределах ±2 % от установившегося значения (около 4 / (ζωn) для слабо демпфированного контура).</translation>
    </message>
    <message>
        <source>Settling time 5 %, s</source>
        <translation>Время регулирования 5 %, с</translation>
    </message>
    <message>
        <source>The time after which the velocity stays within ±5 % of its final value (about 3 / (ζωn)).</source>
        <translation>Время, после которого скорость остаётся в пределах ±5 % от установившегося значения (около 3 / (ζωn)).</translation>
    </message>
    <message>
        <source>Phase margin, °</source>
        <translation>Запас по фазе, °</translation>
    </message>
    <message>
        <source>How far the open loop&apos;s phase stays from −180° where its gain is 1: 180° + ∠L(jωc).</source>
        <translation>Насколько фаза разомкнутого контура отстоит от −180° там, где его усиление равно 1: 180° + ∠L(jωc).</translation>
    </message>
    <message>
        <source>Crossover frequency ωc, rad/s</source>
        <translation>Частота среза ωc, рад/с</translation>
    </message>
    <message>
        <source>The frequency where the open loop&apos;s gain is 1: |L(jωc)| = 1 (none when L(0) ≤ 1).</source>
        <translation>Частота, на которой усиление разомкнутого контура равно 1: |L(jωc)| = 1 (нет, если L(0) ≤ 1).</translation>
    </message>
    <message>
        <source>Bandwidth, rad/s</source>
        <translation>Полоса пропускания, рад/с</translation>
    </message>
    <message>
        <source>The lowest frequency where the closed loop&apos;s gain falls to 1/√2 of its gain at rest: |T(jω)| = |T(0)|/√2.</source>
        <translation>Наименьшая частота, на которой усиление замкнутого контура падает до 1/√2 статического: |T(jω)| = |T(0)|/√2.</translation>
    </message>
    <message>
        <source>Resonance peak, dB</source>
        <translation>Резонансный пик, дБ</translation>
    </message>
    <message>
        <source>How far the closed loop&apos;s gain rises above its gain at rest: 20·log10(max|T| / |T(0)|) = −20·log10(2ζ√(1−ζ²)) for ζ &lt; 1/√2, 0 otherwise.</source>
        <translation>Насколько усиление замкнутого контура поднимается над статическим: 20·log10(max|T| / |T(0)|) = −20·log10(2ζ√(1−ζ²)) при ζ &lt; 1/√2, иначе 0.</translation>
    </message>
</context>
<context>
    <name>LabReport</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Страница %1 из %2</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Входная величина</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Входные величины</translation>
    </message>
    <message>
        <source>The feedback coefficient explored</source>
        <translation>Исследование коэффициента обратной связи</translation>
    </message>
    <message>
        <source>The loop at k = %1 V·s/rad, from its closed form and measured on the drive&apos;s own run from rest; k explored from %2 to %3 V·s/rad.</source>
        <translation>Контур при k = %1 В·с/рад: по аналитической формуле и по измерению на собственном опыте привода из состояния покоя; k исследован от %2 до %3 В·с/рад.</translation>
    </message>
    <message>
        <source>The setpoint being 0, the explorer steps to %1 rad/s.</source>
        <translation>Поскольку задание равно 0, исследование подаёт скачок задания %1 рад/с.</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Показатель</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Формула</translation>
    </message>
    <message>
        <source>Measured</source>
        <translation>Измерено</translation>
    </message>
    <message>
        <source>Design target</source>
        <translation>Цель синтеза</translation>
    </message>
    <message>
        <source>Design targets</source>
        <translation>Цели синтеза</translation>
    </message>
    <message>
        <source>No design target was set.</source>
        <translation>Цели синтеза не заданы.</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Цель</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Граница</translation>
    </message>
    <message>
        <source>At this k</source>
        <translation>При этом k</translation>
    </message>
    <message>
        <source>Answer: %1</source>
        <translation>Ответ: %1</translation>
    </message>
    <message>
        <source>Runs</source>
        <translation>Опыты</translation>
    </message>
    <message>
        <source>No run was kept.</source>
        <translation>Ни один опыт не сохранён.</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Key figures: measured on the run / from the loop&apos;s closed form; — where the run does not reach the figure.</source>
        <translation>Показатели: измеренные в опыте / по аналитической формуле контура; — там, где опыт не достигает показателя.</translation>
    </message>
    <message>
        <source>Lab report</source>
        <translation>Отчёт о лабораторной работе</translation>
    </message>
    <message>
        <source>Student</source>
        <translation>Студент</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Задача</translation>
    </message>
    <message>
        <source>Step responses</source>
        <translation>Переходные характеристики</translation>
    </message>
    <message>
        <source>Sweep of %1</source>
        <translation>Серия по параметру «%1»</translation>
    </message>
    <message>
        <source>Sweep of %1: %2 runs from %3 to %4</source>
        <translation>Серия по параметру «%1»: опытов — %2, от %3 до %4</translation>
    </message>
    <message>
        <source>DriveSim lab report</source>
        <translation>Отчёт DriveSim о лабораторной работе</translation>
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
        <translation>усиление</translation>
    </message>
    <message>
        <source>time constant</source>
        <translation>постоянная времени</translation>
    </message>
    <message>
        <source>motor coef.</source>
        <translation>коэф. двигателя</translation>
    </message>
    <message>
        <source>motor inertia</source>
        <translation>инерция двигателя</translation>
    </message>
    <message>
        <source>load inertia</source>
        <translation>инерция нагрузки</translation>
    </message>
    <message>
        <source>friction</source>
        <translation>трение</translation>
    </message>
    <message>
        <source>teeth</source>
        <translation>зубья</translation>
    </message>
    <message>
        <source>setpoint</source>
        <translation>задание</translation>
    </message>
    <message>
        <source>inputs changed at t = %1 s</source>
        <translation>данные изменены при t = %1 с</translation>
    </message>
    <message>
        <source>at t = %1 s: %2</source>
        <translation>при t = %1 с: %2</translation>
    </message>
    <message>
        <source>in tick %1: %2</source>
        <translation>на шаге %1: %2</translation>
    </message>
</context>
<context>
    <name>LabTable</name>
    <message>
        <source>settled</source>
        <translation>установился</translation>
    </message>
    <message>
        <source>not settled</source>
        <translation>не установился</translation>
    </message>
    <message>
        <source>no response</source>
        <translation>нет отклика</translation>
    </message>
    <message>
        <source>unstable</source>
        <translation>неустойчив</translation>
    </message>
    <message>
        <source>diverged</source>
        <translation>расходится</translation>
    </message>
    <message>
        <source>Overshoot, %</source>
        <translation>Перерегулирование, %</translation>
    </message>
    <message>
        <source>Peak time, ms</source>
        <translation>Время максимума, мс</translation>
    </message>
    <message>
        <source>Rise time, ms</source>
        <translation>Время нарастания, мс</translation>
    </message>
    <message>
        <source>Settling 2 %, ms</source>
        <translation>Время регулирования 2 %, мс</translation>
    </message>
    <message>
        <source>Static error, %</source>
        <translation>Статическая ошибка, %</translation>
    </message>
    <message>
        <source>Settling 5 %, ms
measured</source>
        <translation>Время регулирования 5 %, мс
измерено</translation>
    </message>
    <message>
        <source>Settling 5 %, ms
theory</source>
        <translation>Время регулирования 5 %, мс
теория</translation>
    </message>
    <message>
        <source>Crossings</source>
        <translation>Пересечения</translation>
    </message>
    <message>
        <source>Damping
ratio</source>
        <translation>Коэффициент
демпфирования</translation>
    </message>
    <message>
        <source>Natural freq.,
rad/s</source>
        <translation>Собств. частота,
рад/с</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Опыт</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>meas. / theory</source>
        <translation>изм. / теория</translation>
    </message>
    <message>
        <source>%1 measured	%1 theory</source>
        <translation>%1 измерено	%1 теория</translation>
    </message>
</context>
<context>
    <name>Sweep</name>
    <message>
        <source>Gain</source>
        <translation>Коэффициент усиления</translation>
    </message>
    <message>
        <source>Time constant, s</source>
        <translation>Постоянная времени, с</translation>
    </message>
    <message>
        <source>Motor coefficient, rad/sV</source>
        <translation>Коэффициент двигателя, рад/сВ</translation>
    </message>
    <message>
        <source>Motor moment of inertia, kgm2</source>
        <translation>Момент инерции двигателя, кгм2</translation>
    </message>
    <message>
        <source>Load moment of inertia, kgm2</source>
        <translation>Момент инерции нагрузки, кгм2</translation>
    </message>
    <message>
        <source>Coefficient of viscous friction, Nms/rad</source>
        <translation>Коэффициент вязкого трения, Нмс/рад</translation>
    </message>
    <message>
        <source>Feedback coefficient, Vs/rad</source>
        <translation>Коэффициент обратной связи, Вс/рад</translation>
    </message>
    <message>
        <source>Number of gear teeth</source>
        <translation>Число зубьев шестерни</translation>
    </message>
    <message>
        <source>Preset velocity of load, rad/s</source>
        <translation>Заданная скорость нагрузки, рад/с</translation>
    </message>
</context>
<context>
    <name>SweepName</name>
    <message>
        <source>gain</source>
        <translation>усиление</translation>
    </message>
    <message>
        <source>time-constant</source>
        <translation>постоянная времени</translation>
    </message>
    <message>
        <source>motor-coef</source>
        <translation>коэффициент двигателя</translation>
    </message>
    <message>
        <source>motor-inertia</source>
        <translation>инерция двигателя</translation>
    </message>
    <message>
        <source>load-inertia</source>
        <translation>инерция нагрузки</translation>
    </message>
    <message>
        <source>friction</source>
        <translation>трение</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>обратная связь</translation>
    </message>
    <message>
        <source>teeth</source>
        <translation>зубья</translation>
    </message>
    <message>
        <source>setpoint</source>
        <translation>задание</translation>
    </message>
</context>
<context>
    <name>TExplorerWindow</name>
    <message>
        <source>Explore the feedback coefficient</source>
        <translation>Исследование коэффициента обратной связи</translation>
    </message>
    <message>
        <source>Amplifier gain</source>
        <translation>Коэффициент усиления усилителя</translation>
    </message>
    <message>
        <source>Amplifier time constant, s</source>
        <translation>Постоянная времени усилителя, с</translation>
    </message>
    <message>
        <source>Motor coefficient, rad/(s·V)</source>
        <translation>Коэффициент двигателя, рад/(с·В)</translation>
    </message>
    <message>
        <source>Motor inertia, kg·m²</source>
        <translation>Момент инерции двигателя, кг·м²</translation>
    </message>
    <message>
        <source>Load inertia, kg·m²</source>
        <translation>Момент инерции нагрузки, кг·м²</translation>
    </message>
    <message>
        <source>Viscous friction, N·m·s/rad</source>
        <translation>Вязкое трение, Н·м·с/рад</translation>
    </message>
    <message>
        <source>Overshoot ≤, %</source>
        <translation>Перерегулирование ≤, %</translation>
    </message>
    <message>
        <source>Settling 2 % ≤, s</source>
        <translation>Время регулирования 2 % ≤, с</translation>
    </message>
    <message>
        <source>Settling 5 % ≤, s</source>
        <translation>Время регулирования 5 % ≤, с</translation>
    </message>
    <message>
        <source>Rise time ≤, s</source>
        <translation>Время нарастания ≤, с</translation>
    </message>
    <message>
        <source>Comparator error ≤, %</source>
        <translation>Рассогласование ≤, %</translation>
    </message>
    <message>
        <source>Damping ratio ≥</source>
        <translation>Коэффициент демпфирования ≥</translation>
    </message>
    <message>
        <source>Phase margin ≥, °</source>
        <translation>Запас по фазе ≥, °</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid number for %2</source>
        <translation>«%1» — недопустимое число для поля «%2»</translation>
    </message>
    <message>
        <source>Feedback coefficient &amp;k, V·s/rad:</source>
        <translation>Коэффициент обратной связи &amp;k, В·с/рад:</translation>
    </message>
    <message>
        <source>from</source>
        <translation>от</translation>
    </message>
    <message>
        <source>to</source>
        <translation>до</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Показатель</translation>
    </message>
    <message>
        <source>Closed form</source>
        <translation>Формула</translation>
    </message>
    <message>
        <source>Simulated</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Цель</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Привод</translation>
    </message>
    <message>
        <source>Load gear teeth</source>
        <translation>Зубья колеса нагрузки</translation>
    </message>
    <message>
        <source>Setpoint, rad/s</source>
        <translation>Задание, рад/с</translation>
    </message>
    <message>
        <source>&amp;Take the main window&apos;s inputs</source>
        <translation>&amp;Взять данные главного окна</translation>
    </message>
    <message>
        <source>Design targets</source>
        <translation>Цели синтеза</translation>
    </message>
    <message>
        <source>&amp;Run on the drive</source>
        <translation>&amp;Запустить на приводе</translation>
    </message>
    <message>
        <source>K&amp;eep</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>the feedback coefficient</source>
        <translation>коэффициент обратной связи</translation>
    </message>
    <message>
        <source>the start of the range</source>
        <translation>начало диапазона</translation>
    </message>
    <message>
        <source>the end of the range</source>
        <translation>конец диапазона</translation>
    </message>
    <message>
        <source>The range of k needs two different ends</source>
        <translation>У диапазона k должны быть две разные границы</translation>
    </message>
    <message>
        <source>Switch on a design target to see which k meet it.</source>
        <translation>Включите цель синтеза, чтобы увидеть, какие k ей удовлетворяют.</translation>
    </message>
    <message>
        <source>met</source>
        <translation>выполнено</translation>
    </message>
    <message>
        <source>not met</source>
        <translation>не выполнено</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>O&amp;pen scenario…</source>
        <translation>&amp;Открыть сценарий…</translation>
    </message>
    <message>
        <source>Sa&amp;ve scenario…</source>
        <translation>&amp;Сохранить сценарий…</translation>
    </message>
    <message>
        <source>Recen&amp;t scenarios</source>
        <translation>&amp;Недавние сценарии</translation>
    </message>
    <message>
        <source>Save &amp;oscilloscope picture…</source>
        <translation>Сохранить &amp;изображение осциллографа…</translation>
    </message>
    <message>
        <source>Save &amp;run as CSV…</source>
        <translation>Сохранить о&amp;пыт в CSV…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Lab</source>
        <translation>&amp;Лаборатория</translation>
    </message>
    <message>
        <source>&amp;Quality of regulation…</source>
        <translation>&amp;Качество регулирования…</translation>
    </message>
    <message>
        <source>&amp;Explore the feedback coefficient…</source>
        <translation>&amp;Исследование коэффициента обратной связи…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>&amp;Инструкция</translation>
    </message>
    <message>
        <source>Reset &amp;settings</source>
        <translation>&amp;Сбросить настройки</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Руководство пользователя</translation>
    </message>
    <message>
        <source>Save oscilloscope picture</source>
        <translation>Сохранить изображение осциллографа</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>Изображения PNG (*.png);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Save run as CSV</source>
        <translation>Сохранить опыт в CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Файлы CSV (*.csv);;Все файлы (*)</translation>
    </message>
    <message>
        <source>The influence of the feedback coefficient on the quality of regulation</source>
        <translation>Влияние коэффициента обратной связи на качество регулирования</translation>
    </message>
    <message>
        <source>INITIAL DATA</source>
        <translation>ИСХОДНЫЕ ДАННЫЕ</translation>
    </message>
    <message>
        <source>Converter-amplifier</source>
        <translation>Преобразователь-усилитель</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Коэффициент усиления</translation>
    </message>
    <message>
        <source>Time constant, s</source>
        <translation>Постоянная времени, с</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Двигатель</translation>
    </message>
    <message>
        <source>Coefficient, rad/sV</source>
        <translation>Коэффициент, рад/сВ</translation>
    </message>
    <message>
        <source>Moment of inertia, kgm</source>
        <translation>Момент инерции, кгм</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Нагрузка</translation>
    </message>
    <message>
        <source>Coefficient of viscous</source>
        <translation>Коэффициент вязкого</translation>
    </message>
    <message>
        <source>friction, Nms/rad</source>
        <translation>трения, Нмс/рад</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Обратная связь</translation>
    </message>
    <message>
        <source>Coefficient, Vs/rad</source>
        <translation>Коэффициент, Вс/рад</translation>
    </message>
    <message>
        <source>Preset velocity of load, rad/s</source>
        <translation>Задание скорости, рад/с</translation>
    </message>
    <message>
        <source>Number of gear teeth</source>
        <translation>Число зубьев шестерни</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Пуск</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Oscilloscope</source>
        <translation>Осциллограф</translation>
    </message>
    <message>
        <source>Time, s</source>
        <translation>Время, с</translation>
    </message>
    <message>
        <source>Velosity, rad/s</source>
        <translation>Скорость, рад/с</translation>
    </message>
    <message>
        <source>Scenarios (*.drivesim);;All files (*)</source>
        <translation>Сценарии (*.drivesim);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Open scenario</source>
        <translation>Открыть сценарий</translation>
    </message>
    <message>
        <source>Save scenario</source>
        <translation>Сохранить сценарий</translation>
    </message>
    <message>
        <source>The scenario has changed since it was saved.</source>
        <translation>Сценарий изменился после сохранения.</translation>
    </message>
    <message>
        <source>The kept runs of the lab are in no scenario file.</source>
        <translation>Сохранённые опыты лаборатории не записаны ни в один файл сценария.</translation>
    </message>
    <message>
        <source>Save the scenario before leaving?</source>
        <translation>Сохранить сценарий перед выходом?</translation>
    </message>
    <message>
        <source>&amp;Export lab report (PDF)…</source>
        <translation>&amp;Экспорт отчёта о лабораторной работе (PDF)…</translation>
    </message>
    <message>
        <source>Export lab report</source>
        <translation>Экспорт отчёта о лабораторной работе</translation>
    </message>
    <message>
        <source>Your name, for the report:</source>
        <translation>Ваше имя для отчёта:</translation>
    </message>
    <message>
        <source>Export lab report (PDF)</source>
        <translation>Экспорт отчёта о лабораторной работе (PDF)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;All files (*)</source>
        <translation>Файлы PDF (*.pdf);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Текущий опыт</translation>
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
        <translation>Программа предназначена для исследования влияния коэффициента обратной связи САР на точность регулирования.
Для работы с программой задайте исходные данные в полях, расположенных в левой части главного окна. Затем задайте требуемый уровень угловой скорости нагрузки и нажмите кнопку «Пуск». Вводите дробные числа с десятичным разделителем вашей системы (для русского языка — запятая)!
В окне анимации начинается движение, а на осциллографе появляются осциллограммы заданного уровня угловой скорости (зелёная линия) и угловой скорости нагрузки (синяя линия).
Для точного измерения значений осциллограмм можно увеличить любой их участок. Для этого установите указатель мыши в левый верхний угол увеличиваемого участка, нажмите левую кнопку, переместите мышь вниз и вправо и отпустите кнопку. Увеличение можно выполнять несколько раз. Чтобы вернуться к исходному масштабу, переместите мышь в обратном направлении.
Чтобы изменить передаточное число редуктора, пользуйтесь кнопками рядом со значением числа зубьев шестерни.
Кнопка «Пауза» временно останавливает моделирование, кнопка «Сброс» возвращает программу в исходное состояние.
Программа принимает любые изменения исходных данных при нажатии кнопки «Пуск».</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Инструкция</translation>
    </message>
</context>
<context>
    <name>TLabWindow</name>
    <message>
        <source>The number of runs must be between %1 and %2</source>
        <translation>Число опытов должно быть от %1 до %2</translation>
    </message>
    <message>
        <source>The duration must be between %1 and %2 s</source>
        <translation>Длительность должна быть от %1 до %2 с</translation>
    </message>
    <message>
        <source>R&amp;un sweep</source>
        <translation>&amp;Запустить серию</translation>
    </message>
    <message>
        <source>Ca&amp;ncel</source>
        <translation>От&amp;мена</translation>
    </message>
    <message>
        <source>&amp;Parameter</source>
        <translation>&amp;Параметр</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <translation>&amp;От</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <translation>&amp;До</translation>
    </message>
    <message>
        <source>C&amp;ount</source>
        <translation>&amp;Число</translation>
    </message>
    <message>
        <source>&amp;Duration (s)</source>
        <translation>Д&amp;лительность (с)</translation>
    </message>
    <message>
        <source>%v of %m runs</source>
        <translation>%v из %m опытов</translation>
    </message>
    <message>
        <source>Running %1 runs of %2 s…</source>
        <translation>Выполняется %1 опытов по %2 с…</translation>
    </message>
    <message>
        <source>%1 of %2 runs done</source>
        <translation>Выполнено %1 из %2 опытов</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Отмена…</translation>
    </message>
    <message>
        <source>Sweep cancelled: the kept runs are as they were.</source>
        <translation>Серия отменена: сохранённые опыты не изменились.</translation>
    </message>
    <message>
        <source>%1 runs of %2 kept</source>
        <translation>Сохранено опытов: %1 (варьировался параметр «%2»)</translation>
    </message>
    <message>
        <source>Quality of regulation</source>
        <translation>Качество регулирования</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Задание</translation>
    </message>
    <message>
        <source>&amp;Keep run</source>
        <translation>&amp;Сохранить опыт</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Удалить</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>Оч&amp;истить</translation>
    </message>
    <message>
        <source>Save t&amp;able as CSV…</source>
        <translation>Сохранить &amp;таблицу в CSV…</translation>
    </message>
    <message>
        <source>Save c&amp;harts as PNG…</source>
        <translation>Сохранить &amp;графики в PNG…</translation>
    </message>
    <message>
        <source>Sweep</source>
        <translation>Серия опытов</translation>
    </message>
    <message>
        <source>Current run</source>
        <translation>Текущий опыт</translation>
    </message>
    <message>
        <source>No current run: “Process” in the main window starts one (after “Reset”, from rest).</source>
        <translation>Текущего опыта нет: кнопка «Пуск» в главном окне запускает его (после «Сброс» — из состояния покоя).</translation>
    </message>
    <message>
        <source>A sweep&apos;s figures against the swept value appear here.</source>
        <translation>Здесь — показатели серии по варьируемому значению.</translation>
    </message>
    <message>
        <source>Save table as CSV</source>
        <translation>Сохранить таблицу в CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Файлы CSV (*.csv);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Save charts as PNG</source>
        <translation>Сохранить графики в PNG</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>Изображения PNG (*.png);;Все файлы (*)</translation>
    </message>
</context>
</TS>
