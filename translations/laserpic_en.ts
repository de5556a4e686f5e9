<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>CommandLine</name>
    <message>
        <source>одно преобразование за раз</source>
        <translation>one conversion at a time</translation>
    </message>
    <message>
        <source>; справка: %1 --help</source>
        <translation>; see %1 --help</translation>
    </message>
    <message>
        <source>Показать эту справку и выйти.</source>
        <translation>Show this help and exit.</translation>
    </message>
    <message>
        <source>Показать версию и выйти.</source>
        <translation>Show the version and exit.</translation>
    </message>
    <message>
        <source>неизвестный параметр %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>у параметра %1 не бывает значения</source>
        <translation>%1 takes no value</translation>
    </message>
    <message>
        <source>ожидается: %1</source>
        <translation>usage: %1</translation>
    </message>
    <message>
        <source>%1 — только вместе с %2</source>
        <translation>%1 goes only with %2</translation>
    </message>
    <message>
        <source>одна картинка за раз, пропущены: %1</source>
        <translation>one picture at a time; ignored: %1</translation>
    </message>
    <message>
        <source>после %1 нужно число от %2 до %3</source>
        <translation>%1 needs a number from %2 to %3</translation>
    </message>
    <message>
        <source>ТЕКСТ</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>после %1 нужен текст</source>
        <translation>%1 needs the text to trace</translation>
    </message>
    <message>
        <source>после %1 нужен номер кадра, начиная с 1</source>
        <translation>%1 needs a frame number, counted from 1</translation>
    </message>
    <message>
        <source>Кадр файла ILDA, считая с 1 (по умолчанию первый).</source>
        <translation>The frame of the ILDA file, counted from 1 (the first by default).</translation>
    </message>
    <message>
        <source>ШРИФТ</source>
        <translation>FAMILY</translation>
    </message>
    <message>
        <source>после %1 нужно название шрифта</source>
        <translation>%1 needs the name of a font family</translation>
    </message>
    <message>
        <source>Семейство шрифта (иначе шрифт системы).</source>
        <translation>The font family (the system&apos;s font unless given).</translation>
    </message>
    <message>
        <source>Полужирный шрифт.</source>
        <translation>Bold type.</translation>
    </message>
    <message>
        <source>Длинная сторона контура в единицах поля (по умолчанию 200).</source>
        <translation>The longer side of the contour in field units (200 by default).</translation>
    </message>
    <message>
        <source>КАРТИНКА.kvt ВЫХОД.ild</source>
        <translation>PICTURE.kvt OUT.ild</translation>
    </message>
    <message>
        <source>Записать картинку файлом ILDA: один замкнутый кадр из 256 точек.</source>
        <translation>Write the picture as an ILDA file: one closed frame of 256 points.</translation>
    </message>
    <message>
        <source>ВХОД.ild ВЫХОД.kvt</source>
        <translation>IN.ild OUT.kvt</translation>
    </message>
    <message>
        <source>Записать кадр файла ILDA картинкой из 256 точек.</source>
        <translation>Write a frame of an ILDA file as a 256-point picture.</translation>
    </message>
    <message>
        <source>КАРТИНКА ВЫХОД.kvt</source>
        <translation>PICTURE OUT.kvt</translation>
    </message>
    <message>
        <source>ВЫХОД.kvt</source>
        <translation>OUT.kvt</translation>
    </message>
    <message>
        <source>после %1 нужно значение</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>Использование: %1 [параметры] [картинка.kvt]
Редактор картинок для лазера: картинки из 256 точек для автономного лазерного проектора.
Открывает указанный файл картинки так же, как команда открытия.
</source>
        <translation>Usage: %1 [options] [picture.kvt]
Laser Picture Editor: 256-point pictures for a standalone laser projector.
Opens the picture file given, as the open command does.
</translation>
    </message>
    <message>
        <source>Параметры:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Преобразования, без окна:</source>
        <translation>Conversions, without a window:</translation>
    </message>
    <message>
        <source>Параметры преобразований:</source>
        <translation>The conversions&apos; options:</translation>
    </message>
    <message>
        <source>Собственные параметры Qt (-platform, -display, -style, ...) передаются Qt.</source>
        <translation>Qt&apos;s own options (-platform, -display, -style, ...) are passed on to Qt.</translation>
    </message>
    <message>
        <source> или </source>
        <translation> or </translation>
    </message>
    <message>
        <source>выберите что-то одно: %1 или --%2</source>
        <translation>choose one: %1 or --%2</translation>
    </message>
    <message>
        <source>после %1 нужно auto, dark или light</source>
        <translation>%1 takes auto, dark or light</translation>
    </message>
    <message>
        <source>Что обводить: auto — то, что не занимает края картинки (по умолчанию), dark — тёмное, light — светлое.</source>
        <translation>What to trace: auto — whatever does not fill the picture&apos;s border (the default), dark — dark ink, light — light ink.</translation>
    </message>
    <message>
        <source>То же, что --ink light.</source>
        <translation>Same as --ink light.</translation>
    </message>
    <message>
        <source>Обвести все части по краю (иначе тонкие штрихи — по середине).</source>
        <translation>Trace every part along its edge (otherwise thin strokes are traced along their middle).</translation>
    </message>
    <message>
        <source>Обвести все части линиями по середине их штрихов.</source>
        <translation>Trace every part along the middle of its strokes.</translation>
    </message>
    <message>
        <source>Рисовать не больше N крупнейших частей.</source>
        <translation>Draw at most the N largest parts.</translation>
    </message>
    <message>
        <source>Обвести картинку одним контуром из 256 точек: каждую часть по краю или, если её штрихи тонки, по середине; что не умещается, начиная с мелочи, пропускается.</source>
        <translation>Trace a picture into one contour of 256 points: each part along its edge or, where its strokes are thin, along their middle; what does not fit is left out, smallest first.</translation>
    </message>
    <message>
        <source>Обвести текст одним контуром из 256 точек; перевод строки в тексте начинает новую строку, каждая по середине.</source>
        <translation>Trace text into one contour of 256 points; a line break in the text starts a new line, each one centred.</translation>
    </message>
    <message>
        <source>предупреждение: </source>
        <translation>warning: </translation>
    </message>
    <message>
        <source>предупреждение: 256 точек не удерживают всех подробностей, отклонение до %1 ед.; меньше частей: --parts N, пропускать мелочь: --detail</source>
        <translation>warning: 256 points cannot hold every detail, deviation up to %1 units; fewer parts: --parts N, skip small details: --detail</translation>
    </message>
    <message>
        <source>Наименьшая часть картинки, что обводится: сторона квадрата в единицах поля (по умолчанию 1,5).</source>
        <translation>The smallest part of the picture that is traced: the side of a square in field units (1.5 by default).</translation>
    </message>
    <message>
        <source>Порог: при --ink auto — насколько краска отличается от фона, при dark и light — между тёмным и светлым (иначе выбирается сам).</source>
        <translation>The threshold: with --ink auto, how far ink differs from the ground; with dark and light, between dark and light (chosen by itself unless given).</translation>
    </message>
    <message>
        <source>Даже крупнейшую часть 256 точек не нарисуют разборчиво: шаг между точками %1 ед. (больше 11). Помогут меньший размер (--size), часть картинки или меньше частей (--parts).</source>
        <translation>Even the largest part cannot be drawn legibly with 256 points: the step between points is %1 units (over 11). A smaller size (--size), a part of the picture or fewer parts (--parts) would help.</translation>
    </message>
    <message>
        <source>Картинка слишком подробна для 256 точек: линии маршрута сливаются, %1 % пути идёт вплотную к другим линиям. Помогут меньше частей (--parts N), больший размер (--size 255), пропуск мелочи (--detail) или часть картинки вместо целой.</source>
        <translation>The picture is too detailed for 256 points: the route&apos;s lines merge, %1 % of the way runs close beside other lines. Fewer parts (--parts N), a larger size (--size 255), leaving out small details (--detail) or a part of the picture instead of the whole would help.</translation>
    </message>
    <message>
        <source>Нарисовано частей %1 из %2.</source>
        <translation>Drawn: %1 of %2 parts.</translation>
    </message>
    <message>
        <source>Нарисовано %1 % картинки: 256 точкам не хватает на всё (частей %2 из %3). Выбрать части самому: --parts N; пропускать мелочь: --detail.</source>
        <translation>Drawn %1 % of the picture: 256 points cannot hold it all (%2 of %3 parts). Choose the parts yourself: --parts N; skip small details: --detail.</translation>
    </message>
</context>
<context>
    <name>Decode</name>
    <message>
        <source>Картинка повреждена: её разбор оборвался (%1)</source>
        <translation>The picture is damaged: decoding it broke off (%1)</translation>
    </message>
    <message>
        <source>Картинка слишком большая: её разбор не уложился в %1 МБ памяти</source>
        <translation>The picture is too large: decoding it takes more than %1 MB of memory</translation>
    </message>
    <message>
        <source>Картинка разбирается слишком долго: разбор остановлен через %1 с</source>
        <translation>The picture takes too long to decode: stopped after %1 s</translation>
    </message>
    <message>
        <source>Не удалось запустить программу разбора картинок: </source>
        <translation>Cannot start the picture decoder: </translation>
    </message>
    <message>
        <source>Не найдена программа разбора картинок laserpic-decode</source>
        <translation>The picture decoder laserpic-decode is missing</translation>
    </message>
    <message>
        <source>Остановлено</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>непонятный ответ программы разбора</source>
        <translation>garbled answer from the decoder</translation>
    </message>
    <message>
        <source>ответ программы разбора не полон</source>
        <translation>incomplete answer from the decoder</translation>
    </message>
    <message>
        <source>сигнал %1</source>
        <translation>signal %1</translation>
    </message>
    <message>
        <source>Разбор картинки прерван извне: программу разбора остановил сигнал %1</source>
        <translation>The picture&apos;s decoding was cut short from outside: the decoder was stopped by signal %1</translation>
    </message>
</context>
<context>
    <name>DecodeChild</name>
    <message>
        <source>Программа разбора картинок не может закрыться в песочнице: система не даёт ей фильтр системных вызовов</source>
        <translation>The picture decoder cannot shut itself in a sandbox: the system gives it no system-call filter</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Файл с таким именем существует, переписать?</source>
        <translation>A file with this name already exists. Replace it?</translation>
    </message>
</context>
<context>
    <name>DisplayGuard</name>
    <message>
        <source>; запустите его в сеансе рабочего стола или под xvfb-run.</source>
        <translation>; start it in a desktop session or under xvfb-run.</translation>
    </message>
    <message>
        <source>laserpic: окно открыть негде (DISPLAY не задан)</source>
        <translation>laserpic: no display to open a window on (DISPLAY is not set)</translation>
    </message>
    <message>
        <source>laserpic: не могу подключиться к дисплею &quot;%1&quot;</source>
        <translation>laserpic: cannot connect to the display &quot;%1&quot;</translation>
    </message>
    <message>
        <source>laserpic: нет подходящего дисплея (%1)</source>
        <translation>laserpic: no usable display (%1)</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Файл короче 2048 байт</source>
        <translation>The file is shorter than 2048 bytes</translation>
    </message>
    <message>
        <source>Нет такого файла или папки</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>Нет прав доступа</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Это папка, а не файл</source>
        <translation>This is a folder, not a file</translation>
    </message>
    <message>
        <source>Часть пути не является папкой</source>
        <translation>Part of the path is not a folder</translation>
    </message>
    <message>
        <source>Слишком длинное имя файла</source>
        <translation>The file name is too long</translation>
    </message>
    <message>
        <source>Символьные ссылки образуют кольцо</source>
        <translation>Symbolic links form a loop</translation>
    </message>
    <message>
        <source>На диске нет места</source>
        <translation>No space left on the disk</translation>
    </message>
    <message>
        <source>Превышена дисковая квота</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Файловая система доступна только для чтения</source>
        <translation>The file system is read-only</translation>
    </message>
    <message>
        <source>Превышен допустимый размер файла</source>
        <translation>The file is larger than allowed</translation>
    </message>
    <message>
        <source>Ошибка ввода-вывода</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Файл занят</source>
        <translation>The file is busy</translation>
    </message>
    <message>
        <source>Открыто слишком много файлов</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Недостаточно памяти</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>Нет такого устройства</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>Системная ошибка %1 (%2)</source>
        <translation>System error %1 (%2)</translation>
    </message>
    <message>
        <source>Это не обычный файл, а именованный канал</source>
        <translation>This is a named pipe, not a regular file</translation>
    </message>
    <message>
        <source>Это не обычный файл, а устройство</source>
        <translation>This is a device, not a regular file</translation>
    </message>
    <message>
        <source>Это не обычный файл, а сокет</source>
        <translation>This is a socket, not a regular file</translation>
    </message>
    <message>
        <source>Это не обычный файл</source>
        <translation>This is not a regular file</translation>
    </message>
    <message>
        <source>Файл не найден</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Ошибка чтения файла: </source>
        <translation>Cannot read the file: </translation>
    </message>
    <message>
        <source>Не удалось создать файл: </source>
        <translation>Cannot create the file: </translation>
    </message>
    <message>
        <source>Ошибка записи файла: </source>
        <translation>Cannot write the file: </translation>
    </message>
    <message>
        <source>Не удалось открыть файл для записи: </source>
        <translation>Cannot open the file for writing: </translation>
    </message>
    <message>
        <source>; прежнее содержимое файла сохранено</source>
        <translation>; the previous content of the file is kept</translation>
    </message>
    <message>
        <source>; прежнее содержимое файла восстановить не удалось</source>
        <translation>; the previous content of the file could not be restored</translation>
    </message>
    <message>
        <source>Записано только %1 из %2 байт: </source>
        <translation>Only %1 of %2 bytes written: </translation>
    </message>
    <message>
        <source>Файл защищён от записи: </source>
        <translation>The file is write-protected: </translation>
    </message>
    <message>
        <source>Не удалось заменить файл: </source>
        <translation>Cannot replace the file: </translation>
    </message>
    <message>
        <source>Не удалось удалить файл: </source>
        <translation>Could not remove the file: </translation>
    </message>
    <message>
        <source>Не удалось переименовать файл: </source>
        <translation>Could not rename the file: </translation>
    </message>
</context>
<context>
    <name>Ilda</name>
    <message>
        <source> (смещение %1)</source>
        <translation> (at offset %1)</translation>
    </message>
    <message>
        <source>Файл стал короче во время чтения</source>
        <translation>The file got shorter while it was being read</translation>
    </message>
    <message>
        <source>Файл пуст</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>Это не файл ILDA: в начале нет подписи «ILDA»</source>
        <translation>This is not an ILDA file: it does not start with &quot;ILDA&quot;</translation>
    </message>
    <message>
        <source>Нет подписи «ILDA» в заголовке</source>
        <translation>A header lacks the &quot;ILDA&quot; signature</translation>
    </message>
    <message>
        <source>Заголовок обрезан: %1 байт из 32</source>
        <translation>A header is cut short: %1 of 32 bytes</translation>
    </message>
    <message>
        <source>Неизвестный код формата %1</source>
        <translation>Unknown format code %1</translation>
    </message>
    <message>
        <source>Записей в заголовке: %1 (%2 байт), а до конца файла %3 байт</source>
        <translation>The header announces %1 records (%2 bytes), but only %3 bytes are left in the file</translation>
    </message>
    <message>
        <source>В файле нет кадров</source>
        <translation>The file holds no frames</translation>
    </message>
    <message>
        <source>Это не кадр</source>
        <translation>This is not a frame</translation>
    </message>
    <message>
        <source>Файл оборвался при чтении</source>
        <translation>The file ended while it was being read</translation>
    </message>
    <message>
        <source>нет кадра %1, кадров в файле: %2</source>
        <translation>there is no frame %1; the file holds %2</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>Файл слишком большой: %1 МБ (картинка-подложка не больше %2 МБ)</source>
        <translation>The file is too large: %1 MB (a background picture may take up to %2 MB)</translation>
    </message>
    <message>
        <source>Это не картинка или её формат не поддерживается</source>
        <translation>This is not a picture, or its format is not supported</translation>
    </message>
    <message>
        <source>Файл пуст</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>Не удалось прочитать картинку: </source>
        <translation>Cannot read the picture: </translation>
    </message>
    <message>
        <source>Сжатый файл SVG повреждён или распаковывается больше чем в %1 МБ</source>
        <translation>The compressed SVG file is damaged or unpacks to more than %1 MB</translation>
    </message>
    <message>
        <source>Файл SVG повреждён: </source>
        <translation>The SVG file is damaged: </translation>
    </message>
    <message>
        <source>Картинка слишком велика: %1 × %2 точек (не больше %3 миллионов точек)</source>
        <translation>The picture is too large: %1 × %2 pixels (at most %3 million pixels)</translation>
    </message>
    <message>
        <source>Файл картинки обрезан: его данные кончаются раньше времени</source>
        <translation>The picture file is truncated: its data ends too early</translation>
    </message>
    <message>
        <source>Все картинки (%1)</source>
        <translation>All pictures (%1)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Картинка SVG ссылается на то, чего в ней нет: %1; такие картинки не загружаются</source>
        <translation>The SVG picture refers to something outside it: %1; such pictures are not loaded</translation>
    </message>
    <message>
        <source>Файл слишком большой: %1 МБ (картинка SVG не больше %2 МБ)</source>
        <translation>The file is too large: %1 MB (an SVG picture may take up to %2 MB)</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>в копии %1 байт вместо %2</source>
        <translation>the copy has %1 bytes instead of %2</translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <source>не удалось дождаться, пока данные уйдут в линию: система не дала потока</source>
        <translation>could not wait for the data to leave the line: the system gave no thread</translation>
    </message>
    <message>
        <source>данные не ушли в линию вовремя</source>
        <translation>the data did not leave the line in time</translation>
    </message>
    <message>
        <source>устройство не найдено</source>
        <translation>device not found</translation>
    </message>
    <message>
        <source>нет доступа, или порт занят другой программой</source>
        <translation>access denied, or the port is in use by another program</translation>
    </message>
    <message>
        <source>это не последовательный порт</source>
        <translation>this is not a serial port</translation>
    </message>
    <message>
        <source>устройство отключено</source>
        <translation>the device is disconnected</translation>
    </message>
    <message>
        <source>порт занят другой программой</source>
        <translation>the port is in use by another program</translation>
    </message>
    <message>
        <source>порт не принял данные вовремя</source>
        <translation>the port did not take the data in time</translation>
    </message>
    <message>
        <source>Не могу открыть порт</source>
        <translation>Cannot open the port</translation>
    </message>
    <message>
        <source>Не могу сконфигурировать порт</source>
        <translation>Cannot configure the port</translation>
    </message>
    <message>
        <source>Не могу передать данные в порт</source>
        <translation>Cannot send the data to the port</translation>
    </message>
    <message>
        <source>порт принял %1 байт из %2</source>
        <translation>the port took %1 of %2 bytes</translation>
    </message>
</context>
<context>
    <name>StartUp</name>
    <message>
        <source>Файл %1 не открыт, чтобы не заменить восстановленную картинку. Откройте его, когда она будет сохранена.</source>
        <translation>The file %1 was not opened, so as not to replace the restored picture. Open it once that is saved.</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Редактор картинок для лазера</source>
        <translation>Pictures for a standalone laser projector</translation>
    </message>
    <message>
        <source>Лицензия: GNU GPL версии 3 или новее</source>
        <translation>Licence: GNU GPL version 3 or later</translation>
    </message>
    <message>
        <source>Написать письмо о программе</source>
        <translation>Write to us about the program</translation>
    </message>
    <message>
        <source>Описание программы (README)</source>
        <translation>How to use it (README)</translation>
    </message>
    <message>
        <source>дек. 2026</source>
        <comment>month and year of the release</comment>
        <translation>Dec 2026</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>TBaseForm</name>
    <message>
        <source> Редактор картинок для лазера  [no FileLaser]  [no Picture] </source>
        <translation> Laser Picture Editor  [no file]  [no picture] </translation>
    </message>
    <message>
        <source>Вставить картинку-подложку для обрисовки</source>
        <translation>Load a background picture to trace</translation>
    </message>
    <message>
        <source>Открыть файл лазерной картинки для редактирования</source>
        <translation>Open a laser picture for editing</translation>
    </message>
    <message>
        <source>Сохранить файл лазерной картинки</source>
        <translation>Save the laser picture</translation>
    </message>
    <message>
        <source>Загрузить картинку лазера в автономное устройство</source>
        <translation>Upload the picture to the standalone projector</translation>
    </message>
    <message>
        <source>Установить запрограммированную лазерную картинку</source>
        <translation>Switch to a picture stored in the projector</translation>
    </message>
    <message>
        <source>вернуть прежнюю картинку</source>
        <translation>Undo: bring back the previous picture</translation>
    </message>
    <message>
        <source>Вставить точку</source>
        <translation>Insert a point</translation>
    </message>
    <message>
        <source>номер редактируемой точки</source>
        <translation>Number of the point being edited</translation>
    </message>
    <message>
        <source>Удалить точку</source>
        <translation>Delete the point</translation>
    </message>
    <message>
        <source>включить - выключить  картинку</source>
        <translation>Show or hide the background picture</translation>
    </message>
    <message>
        <source>включить - выключить  сетку</source>
        <translation>Show or hide the grid</translation>
    </message>
    <message>
        <source>Выбирает направление захвата точки</source>
        <translation>Direction in which a point is picked up</translation>
    </message>
    <message>
        <source>Сместить начальную точку по контуру</source>
        <translation>Move the starting point along the contour</translation>
    </message>
    <message>
        <source>Нормализация расстояний между точками</source>
        <translation>Even out the spacing of the points</translation>
    </message>
    <message>
        <source>Пересчитать точки</source>
        <translation>Recalculate the points</translation>
    </message>
    <message>
        <source>Импорт кадра ILDA</source>
        <translation>Import an ILDA frame</translation>
    </message>
    <message>
        <source>Экспорт в ILDA</source>
        <translation>Export to ILDA</translation>
    </message>
    <message>
        <source>Обвести картинку или текст</source>
        <translation>Trace a picture or text</translation>
    </message>
    <message>
        <source>Цвет поля просмотра</source>
        <translation>Background colour of the preview</translation>
    </message>
    <message>
        <source>Дополнительные Опции </source>
        <translation>More options</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Начальная  фигура </source>
        <translation>Starting figure</translation>
    </message>
    <message>
        <source>Отключить создание</source>
        <translation>Stop making templates</translation>
    </message>
    <message>
        <source>Форма для рисования первой фигуры</source>
        <translation>Window for drawing the first figure</translation>
    </message>
    <message>
        <source>Создать фигуру  круг</source>
        <translation>Make a circle</translation>
    </message>
    <message>
        <source>Создать горизонтальную линию </source>
        <translation>Make a horizontal line</translation>
    </message>
    <message>
        <source>Создать вертикальную линию </source>
        <translation>Make a vertical line</translation>
    </message>
    <message>
        <source>Все точки в центре</source>
        <translation>All points in the centre</translation>
    </message>
    <message>
        <source>Создать звезду</source>
        <translation>Make a star</translation>
    </message>
    <message>
        <source>Создать фигуру  многоугольник</source>
        <translation>Make a polygon</translation>
    </message>
    <message>
        <source>Размер  X  </source>
        <translation>Size X</translation>
    </message>
    <message>
        <source>Размер Y </source>
        <translation>Size Y</translation>
    </message>
    <message>
        <source>Опция создаваемого объекта</source>
        <translation>Option of the figure being made</translation>
    </message>
    <message>
        <source>Позиция</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Опция</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Размер внутренний</source>
        <translation>Inner size</translation>
    </message>
    <message>
        <source>Дописывание второй </source>
        <translation>Second half</translation>
    </message>
    <message>
        <source> части точек 128-255 </source>
        <translation> points 128-255 </translation>
    </message>
    <message>
        <source>зеркальное отражение  второй половины фигуры</source>
        <translation>Mirror the second half of the figure</translation>
    </message>
    <message>
        <source>On\Off повторения второй половины фигуры</source>
        <translation>Repeat the second half of the figure on or off</translation>
    </message>
    <message>
        <source>Установка параметров кнопок и функций</source>
        <translation>Button and function settings</translation>
    </message>
    <message>
        <source>Регулировать размер пропрционально</source>
        <translation>Resize in proportion</translation>
    </message>
    <message>
        <source>Смещение на </source>
        <translation>Shift by </translation>
    </message>
    <message>
        <source>точек</source>
        <translation>points</translation>
    </message>
    <message>
        <source>Размер картинки-подложки</source>
        <translation>Background picture size</translation>
    </message>
    <message>
        <source>Длинна интерполятора</source>
        <translation>Interpolator length</translation>
    </message>
    <message>
        <source>Отметить горячие точки  размером</source>
        <translation>Mark hot points by size</translation>
    </message>
    <message>
        <source>Отметить горячие точки цветом </source>
        <translation>Mark hot points by colour</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Картинка для Korventa (*.kvt)</source>
        <translation>Korventa picture (*.kvt)</translation>
    </message>
    <message>
        <source>Сохранить как</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source> Редактор картинок для лазера </source>
        <translation> Laser Picture Editor </translation>
    </message>
    <message>
        <source> [no FileLaser] </source>
        <translation> [no file] </translation>
    </message>
    <message>
        <source> [no Picture] </source>
        <translation> [no picture] </translation>
    </message>
    <message>
        <source>Точка %1</source>
        <translation>Point %1</translation>
    </message>
    <message>
        <source>Точка ?</source>
        <translation>Point ?</translation>
    </message>
    <message>
        <source>Файл не найден !</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source> Записать последние изменения?</source>
        <translation>Save the latest changes?</translation>
    </message>
    <message>
        <source>Не удалось открыть файл</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <source>Не удалось записать файл</source>
        <translation>Cannot save the file</translation>
    </message>
    <message>
        <source>Не удалось импортировать кадр ILDA</source>
        <translation>Cannot import the ILDA frame</translation>
    </message>
    <message>
        <source>Не удалось экспортировать в ILDA</source>
        <translation>Cannot export to ILDA</translation>
    </message>
    <message>
        <source>Кадры ILDA (*.ild *.ILD)</source>
        <translation>ILDA frames (*.ild *.ILD)</translation>
    </message>
    <message>
        <source>Открыть картинку-подложку</source>
        <translation>Open Background Picture</translation>
    </message>
    <message>
        <source>Загрузка картинки…</source>
        <translation>Loading the picture…</translation>
    </message>
    <message>
        <source>Не удалось загрузить картинку-подложку
</source>
        <translation>Cannot load the background picture
</translation>
    </message>
    <message>
        <source>без имени</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>Восстановить несохранённую картинку «%1», изменённую %2?</source>
        <translation>Restore the unsaved picture “%1”, last changed %2?</translation>
    </message>
    <message>
        <source>Копия несохранённой картинки повреждена и не открыта (%1).
Она отложена в сторону:
%2</source>
        <translation>The copy of an unsaved picture is damaged and was not opened (%1).
It has been set aside:
%2</translation>
    </message>
</context>
<context>
    <name>TProgForm</name>
    <message>
        <source>Работа с готовыми картинками</source>
        <translation>Pictures in the Projector</translation>
    </message>
    <message>
        <source>Выбор лазерной программы</source>
        <translation>Choose a laser program</translation>
    </message>
    <message>
        <source>Включить лазерную картинку</source>
        <translation>Switch this laser picture on</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>ручное управление</source>
        <translation>manual control</translation>
    </message>
    <message>
        <source>автоматический перебор</source>
        <translation>cycle through automatically</translation>
    </message>
    <message>
        <source>смена картинок от звука</source>
        <translation>change pictures with the sound</translation>
    </message>
    <message>
        <source>Выбор порта</source>
        <translation>Port</translation>
    </message>
</context>
<context>
    <name>TTraceForm</name>
    <message>
        <source>Обводка</source>
        <translation>Trace</translation>
    </message>
    <message>
        <source>Картинка</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Под полем нет картинки.</source>
        <translation>There is no picture under the field.</translation>
    </message>
    <message>
        <source>Открыть картинку…</source>
        <translation>Open Picture…</translation>
    </message>
    <message>
        <source>Показать картинку</source>
        <translation>Show Picture</translation>
    </message>
    <message>
        <source>Автоматический порог</source>
        <translation>Automatic threshold</translation>
    </message>
    <message>
        <source>Порог яркости:</source>
        <translation>Brightness threshold:</translation>
    </message>
    <message>
        <source>авто</source>
        <translation>auto</translation>
    </message>
    <message>
        <source>Светлое на тёмном</source>
        <translation>Light on dark</translation>
    </message>
    <message>
        <source>Мельчайшая деталь:</source>
        <translation>Smallest detail:</translation>
    </message>
    <message>
        <source>Пятна меньше квадрата с такой стороной не обводятся</source>
        <translation>Specks smaller than a square of this side are not traced</translation>
    </message>
    <message>
        <source>1,5 ед.</source>
        <translation>1.5 units</translation>
    </message>
    <message>
        <source>Края пятен</source>
        <translation>The edges of the ink</translation>
    </message>
    <message>
        <source>Контур</source>
        <translation>Outline</translation>
    </message>
    <message>
        <source>Середины штрихов рисунка</source>
        <translation>The middle of each stroke of a drawing</translation>
    </message>
    <message>
        <source>Линии</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>Текст</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Текст:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>например, LASER</source>
        <translation>for example, LASER</translation>
    </message>
    <message>
        <source>Шрифт:</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>Жирный</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Размер:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source> ед.</source>
        <translation> units</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 ед.</source>
        <translation>%1 units</translation>
    </message>
    <message>
        <source>Не удалось обвести</source>
        <translation>Tracing failed</translation>
    </message>
    <message>
        <source>Обводится картинка под полем (%1 × %2) там, где она лежит.</source>
        <translation>Traces the picture under the field (%1 × %2) where it lies.</translation>
    </message>
    <message>
        <source>Нечего обводить: под полем нет картинки.</source>
        <translation>Nothing to trace: there is no picture under the field.</translation>
    </message>
    <message>
        <source>Обвожу…</source>
        <translation>Tracing…</translation>
    </message>
    <message>
        <source>Что обводить:</source>
        <translation>Trace:</translation>
    </message>
    <message>
        <source>Авто: обводится то, что не занимает края картинки</source>
        <translation>Auto: traces whatever does not fill the picture&apos;s border</translation>
    </message>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Тёмное на светлом</source>
        <translation>Dark on light</translation>
    </message>
    <message>
        <source>Как рисовать:</source>
        <translation>Draw:</translation>
    </message>
    <message>
        <source>Тонкие штрихи по середине, пятна по краю</source>
        <translation>Thin strokes along their middle, solid shapes along their edge</translation>
    </message>
    <message>
        <source>Enter — новая строка, Ctrl+Enter — применить</source>
        <translation>Enter starts a new line, Ctrl+Enter applies</translation>
    </message>
    <message>
        <source>Строки встают в середину поля одна под другой; размер — длинная сторона всего текста.</source>
        <translation>The lines are centred on the field one under another; the size is the longer side of the whole text.</translation>
    </message>
    <message>
        <source>Крупнейших частей:</source>
        <translation>Largest parts:</translation>
    </message>
    <message>
        <source>Рисовать только столько самых крупных частей; 0 — все</source>
        <translation>Draw only this many of the largest parts; 0 draws all</translation>
    </message>
    <message>
        <source>все</source>
        <translation>all</translation>
    </message>
    <message>
        <source>Сбросить выбор</source>
        <translation>Reset the choice</translation>
    </message>
    <message>
        <source>убраны щелчком — %1</source>
        <translation>left out by a click: %1</translation>
    </message>
    <message>
        <source>сверх крупнейших — %1</source>
        <translation>beyond the largest: %1</translation>
    </message>
    <message>
        <source>не уместились в 256 точек — %1</source>
        <translation>no room in 256 points: %1</translation>
    </message>
    <message>
        <source>Не рисуются: %1.</source>
        <translation>Not drawn: %1.</translation>
    </message>
    <message>
        <source>Контуров: %1, %2, маршрут %3, мосты %4
Средний шаг %5, наибольшее отклонение %6</source>
        <translation>Contours: %1, %2, route %3, bridges %4
Mean step %5, largest deviation %6</translation>
    </message>
    <message>
        <source>частей %1 из %2</source>
        <translation>%1 of %2 parts</translation>
    </message>
    <message>
        <source>Включить картинку под полем главного окна</source>
        <translation>Switch on the picture under the main window&apos;s field</translation>
    </message>
    <message>
        <source>Включить картинку</source>
        <translation>Switch picture on</translation>
    </message>
    <message>
        <source>Где рисовать:</source>
        <translation>Where to draw:</translation>
    </message>
    <message>
        <source>Вписать в поле: картинка без искажений, по середине поля, длинная сторона — размер ниже</source>
        <translation>Fit to the field: the picture undistorted, in the middle of the field, its longer side the size below</translation>
    </message>
    <message>
        <source>Где лежит картинка</source>
        <translation>Where the picture lies</translation>
    </message>
    <message>
        <source>Вписать в поле</source>
        <translation>Fit to the field</translation>
    </message>
    <message>
        <source>Забыть, какие части убраны или возвращены щелчком, и рамку</source>
        <translation>Forget the frame and which parts were left out or brought back by a click</translation>
    </message>
    <message>
        <source>Длинная сторона текста или вписанной картинки в единицах поля</source>
        <translation>The longer side of the text or of the fitted picture, in field units</translation>
    </message>
    <message>
        <source>Яркость как у проектора, одна шкала для всех картинок: чем длиннее маршрут и шаг, тем тусклее; пройденное дважды (мост туда и обратно) — ярче. Серым — не рисуется. Щелчок по части убирает или возвращает её, Shift+щелчок оставляет только её; рамка мышью — обводить только в ней.</source>
        <translation>Bright as the projector draws it, on one scale for every picture: the longer the route and its steps, the dimmer; what is drawn twice (a bridge there and back) is brighter. In grey, what is not drawn. A click on a part leaves it out or brings it back, Shift+click keeps it alone; a frame dragged with the mouse traces only what lies in it.</translation>
    </message>
    <message>
        <source>Показать картинку бледно под маршрутом</source>
        <translation>Show the picture faintly under the route</translation>
    </message>
    <message>
        <source>Обводится картинка под полем (%1 × %2), вписанная в поле.</source>
        <translation>Tracing the picture under the field (%1 × %2), fitted to the field.</translation>
    </message>
    <message>
        <source>

Всё равно сделать это фигурой?</source>
        <translation>

Make it the figure all the same?</translation>
    </message>
    <message>
        <source>уступили место возвращённым — %1</source>
        <translation>made room for those brought back — %1</translation>
    </message>
    <message>
        <source>часть %1 (%2 ед.)</source>
        <translation>part %1 (%2 units)</translation>
    </message>
    <message>
        <source> и ещё %1</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>Возвращённым частям на всех не хватает 256 точек, место им уступили: %1.</source>
        <translation>256 points cannot hold everything with the parts brought back; these made room for them: %1.</translation>
    </message>
    <message>
        <source>Яркость %1 % (100 % — круг поперечником %2 ед.)</source>
        <translation>Brightness %1 % (100 % — a circle %2 units across)</translation>
    </message>
    <message>
        <source>256 точек не вмещают всех деталей: показано лучшее, что из них вышло.</source>
        <translation>256 points cannot hold all the detail: this is the best they can do.</translation>
    </message>
    <message>
        <source>рисуется</source>
        <translation>drawn</translation>
    </message>
    <message>
        <source>убрана щелчком</source>
        <translation>left out by a click</translation>
    </message>
    <message>
        <source>сверх крупнейших</source>
        <translation>beyond the largest</translation>
    </message>
    <message>
        <source>уступила место возвращённым</source>
        <translation>made room for those brought back</translation>
    </message>
    <message>
        <source>не уместилась в 256 точек</source>
        <translation>no room in 256 points</translation>
    </message>
    <message>
        <source>Часть %1 из %2 (дырка в части %3)</source>
        <translation>Part %1 of %2 (a hole in part %3)</translation>
    </message>
    <message>
        <source>Часть %1 из %2</source>
        <translation>Part %1 of %2</translation>
    </message>
    <message>
        <source>%1, %2 ед.: %3</source>
        <translation>%1, %2 units: %3</translation>
    </message>
    <message>
        <source>Даже крупнейшую часть 256 точек не нарисуют разборчиво: шаг между точками %1 ед. (больше 11). Помогут меньший размер, часть картинки или меньше частей.</source>
        <translation>Even the largest part cannot be drawn legibly with 256 points: the step between points is %1 units (over 11). A smaller size, a part of the picture or fewer parts would help.</translation>
    </message>
    <message>
        <source>Картинка слишком подробна для 256 точек: линии маршрута сливаются, %1 % пути идёт вплотную к другим линиям. Помогут меньше частей (уберите лишние щелчком), рамка вокруг главного или больший размер.</source>
        <translation>The picture is too detailed for 256 points: the route&apos;s lines merge, %1 % of the way runs close beside other lines. Fewer parts (click the ones not needed away), a frame around what matters or a larger size would help.</translation>
    </message>
</context>
<context>
    <name>TTxComForm</name>
    <message>
        <source>Загрузка картинки лазера</source>
        <translation>Upload Laser Picture</translation>
    </message>
    <message>
        <source>Начать передачу</source>
        <translation>Start upload</translation>
    </message>
    <message>
        <source>Имя картинки 8 символов МАХ</source>
        <translation>Picture name, 8 characters max</translation>
    </message>
    <message>
        <source>Только латинские символы</source>
        <translation>Latin letters only</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close the window</translation>
    </message>
    <message>
        <source>после передачи</source>
        <translation>after the upload</translation>
    </message>
    <message>
        <source>Выбор порта</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Открыть Окно статуса</source>
        <translation>Show the log</translation>
    </message>
    <message>
        <source>инверсия X</source>
        <translation>invert X</translation>
    </message>
    <message>
        <source>инверсия Y</source>
        <translation>invert Y</translation>
    </message>
    <message>
        <source>Закрыть Окно статуса</source>
        <translation>Hide the log</translation>
    </message>
    <message>
        <source> Передача прервана. </source>
        <translation> Upload interrupted. </translation>
    </message>
</context>
<context>
    <name>Trace</name>
    <message>
        <source>Нет картинки</source>
        <translation>No picture</translation>
    </message>
    <message>
        <source>Картинке негде лежать: её место на поле пусто</source>
        <translation>The picture has nowhere to lie: its place on the field is empty</translation>
    </message>
    <message>
        <source>Нет текста: нечего обводить</source>
        <translation>No text: nothing to trace</translation>
    </message>
    <message>
        <source>Шрифта «%1» в системе нет, взят «%2»</source>
        <translation>The font &quot;%1&quot; is not installed; using &quot;%2&quot;</translation>
    </message>
    <message>
        <source>Нечего обводить: в шрифте «%1» у этих знаков нет очертаний</source>
        <translation>Nothing to trace: the font “%1” has no outlines for these characters</translation>
    </message>
    <message>
        <source>Буквы выйдут высотой около %1 ед.: ниже 12 ед. их трудно прочесть. Сократите текст, разбейте его на строки или увеличьте размер.</source>
        <translation>Letters will be about %1 units high: below 12 units they are hard to read. Shorten the text, split it into lines or increase the size.</translation>
    </message>
    <message>
        <source>Нечего обводить: светлого на тёмном фоне нет. Попробуйте обводить тёмное на светлом.</source>
        <translation>Nothing to trace: there is no light ink on a dark background. Try tracing dark on light.</translation>
    </message>
    <message>
        <source>Нечего обводить: картинка прозрачна. Попробуйте обводить тёмное на светлом.</source>
        <translation>Nothing to trace: the picture is transparent. Try tracing dark on light.</translation>
    </message>
    <message>
        <source>Нечего обводить: тёмного на светлом фоне нет. Попробуйте обводить светлое на тёмном.</source>
        <translation>Nothing to trace: there is no dark ink on a light background. Try tracing light on dark.</translation>
    </message>
    <message>
        <source>Картинка закрашена целиком: нечего обводить. Попробуйте другой порог или обводить другую сторону.</source>
        <translation>The picture is filled entirely: nothing to trace. Try another threshold or trace the other side.</translation>
    </message>
    <message>
        <source>Нечего обводить</source>
        <translation>Nothing to trace</translation>
    </message>
    <message>
        <source>Текст длиннее %1 знаков: 256 точек его не покажут</source>
        <translation>The text is longer than %1 characters: 256 points cannot show it</translation>
    </message>
    <message>
        <source>Параметры обводки вне допустимых пределов</source>
        <translation>The tracing options are out of range</translation>
    </message>
    <message>
        <source>Луч почти стоит на месте: маршрут короче %1 ед. или умещается в квадрат %2 × %2 ед. Собранный в точку луч опасен для глаз и может прожечь.</source>
        <translation>The beam nearly stands still: the route is shorter than %1 units or fits in a square of %2 × %2 units. A beam gathered into a point is dangerous to the eyes and can burn.</translation>
    </message>
    <message>
        <source>Шаг между точками %1 ед. (больше 11): картинка выйдет тусклой и мерцающей. %2</source>
        <translation>Step between points %1 units (over 11): the picture will be dim and flicker. %2</translation>
    </message>
    <message>
        <source>Сократите текст или уменьшите размер.</source>
        <translation>Shorten the text or reduce the size.</translation>
    </message>
    <message>
        <source>Уменьшите размер или рисуйте меньше частей.</source>
        <translation>Reduce the size or draw fewer parts.</translation>
    </message>
    <message>
        <source>На снимке нет отчётливого предмета: ничто не отличается от фона ни цветом, ни узором. Попробуйте выбрать, что обводить, или задать порог.</source>
        <translation>The photo has no distinct object: nothing differs from the ground in colour or texture. Try choosing what to trace, or set a threshold.</translation>
    </message>
</context>
<context>
    <name>Upload</name>
    <message>
        <source>    Имя картинки: </source>
        <translation>    Picture name: </translation>
    </message>
    <message>
        <source> Запись данных(X-Y):  </source>
        <translation> Data (X-Y):  </translation>
    </message>
    <message>
        <source>    всего отправлено %1 байт </source>
        <translation>    %1 bytes sent in all </translation>
    </message>
</context>
<context>
    <name>Wait</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Подождите</source>
        <translation>Please Wait</translation>
    </message>
</context>
<context>
    <name>lp::ColorBox</name>
    <message>
        <source>Чёрный</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Бордовый</source>
        <translation>Maroon</translation>
    </message>
    <message>
        <source>Зелёный</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Оливковый</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Тёмно-синий</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>Пурпурный</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>Сине-зелёный</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>Серый</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>Серебристый</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>Красный</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Ярко-зелёный</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>Жёлтый</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Синий</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Фуксия</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Голубой</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>Белый</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Мятный</source>
        <translation>Mint green</translation>
    </message>
    <message>
        <source>Небесный</source>
        <translation>Sky blue</translation>
    </message>
    <message>
        <source>Кремовый</source>
        <translation>Cream</translation>
    </message>
    <message>
        <source>Средне-серый</source>
        <translation>Medium grey</translation>
    </message>
    <message>
        <source>Фон окна</source>
        <translation>Window background</translation>
    </message>
    <message>
        <source>Текст окна</source>
        <translation>Window text</translation>
    </message>
    <message>
        <source>Фон поля</source>
        <translation>Field background</translation>
    </message>
    <message>
        <source>Кнопка</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>Выделение</source>
        <translation>Highlight</translation>
    </message>
    <message>
        <source>Подсказка</source>
        <translation>Tooltip</translation>
    </message>
</context>
<context>
    <name>lp::IldaFrameDialog</name>
    <message>
        <source>Выбор кадра ILDA</source>
        <translation>Choose an ILDA Frame</translation>
    </message>
    <message>
        <source>Кадров в файле: %1. Какой импортировать?</source>
        <translation>The file holds %1 frames. Which one do you want to import?</translation>
    </message>
    <message>
        <source>Кадр</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Точек</source>
        <translation>Points</translation>
    </message>
</context>
<context>
    <name>lp::PicturePreview</name>
    <message>
        <source>Не картинка</source>
        <translation>Not a picture</translation>
    </message>
    <message>
        <source>Файл обрезан</source>
        <translation>File truncated</translation>
    </message>
</context>
<context>
    <name>lp::PortRadioGroup</name>
    <message>
        <source>Устройство для «%1»</source>
        <translation>Device for &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Сейчас действует %1 = %2</source>
        <translation>In effect now: %1 = %2</translation>
    </message>
    <message>
        <source>Система не нашла последовательных портов</source>
        <translation>The system found no serial ports</translation>
    </message>
    <message>
        <source> (не найден)</source>
        <translation> (not found)</translation>
    </message>
    <message>
        <source>По умолчанию: %1</source>
        <translation>Default: %1</translation>
    </message>
</context>
</TS>
