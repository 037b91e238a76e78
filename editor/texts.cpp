#include "editor/texts.h"

#include "assets/translation.h"
#include "editor/storey_check.h"
#include "engine/cp1251.h"

const char* const CardLabels[CARD_COUNT] = {"Карта для лифта: "_cp, "Красная карта: "_cp, "Зеленая карта: "_cp,
                                            "Синяя карта: "_cp};
const char* const WeaponWords[6] = {
    "нет\n"_cp, "револьвер\n"_cp, "пистолет\n"_cp, "дробовик\n"_cp, "автомат\n"_cp, "граната\n"_cp,
};

const char* const HelpCommonKeys = "F6 - проба, F9 - проверка\n"
                                   "Ctrl+S - сохранить как, Ctrl+O - открыть\n"
                                   "Ctrl+N - новый этаж, Q - масштаб\n"
                                   "G - сетка, H - скрыть подсказку, Esc - игра\n"_cp;
const char* const HelpFloorKeys = "1 - все клетки, 2 - нечётные, 3 - чётные\n"_cp;
const char* const HelpEnemyKeys = "Ctrl+1 - безоружный, Ctrl+2 - охранник с револьвером\n"
                                  "Ctrl+3 - полицейский с пистолетом, Ctrl+4 - с дробовиком\n"
                                  "Ctrl+5 - штурмовик с автоматом\n"
                                  "ЛКМ по врагу - выбрать, тащить - передвинуть\n"
                                  "Backspace - убрать выбранного\n"
                                  "Delete - забыть все старты врагов\n"
                                  "Пробел: палитра\n"_cp;
const char* const HelpPlaceKeys = "ЛКМ - поставить под мышью\n"_cp;
const char* const HelpCardKeys = "Колесо мыши - карта, ЛКМ - положить, ПКМ - убрать\n"_cp;
const char* const HelpPaletteKeys = "Колесо мыши - страница, ЛКМ - выбрать, Пробел - закрыть"_cp;
const char* const HelpEnemyPaletteKeys = "1 - ноги, 2 - руки, 3 - оружие, 4 - голова\n"
                                         "Tab - перечитать Man.ini, Пробел - закрыть\n"_cp;
const char* const HelpHidden = "H - подсказка"_cp;
const char* const TextSaveUnnamed = "F5 сохранение под новым именем\n"_cp;
const char* const TextChosen = "Выбрано: "_cp;
const char* const TextHistory = "Ctrl+Z - отмена, Ctrl+Y (Ctrl+Shift+Z) - повтор: "_cp;
const char* const TextSelected = "Выбран враг: "_cp;

const char* const TextSaveAsTitle = "Сохранить этаж как: "_cp;
const char* const TextSaveAsKeys = "Буквы, цифры, - _ .   Enter - сохранить, Esc - отмена"_cp;
const char* const TextNameTaken = "Такой файл есть: он будет заменён"_cp;
const char* const TextNameFree = "Новый файл"_cp;
const char* const TextOpenTitle = "Открыть этаж:"_cp;
const char* const TextOpenKeys = "Колесо, стрелки - выбор; Enter, ЛКМ - открыть; Esc - отмена"_cp;
const char* const TextNoStoreyFiles = "Файлов этажей нет"_cp;
const char* const TextNewTitle = "Новый этаж: от 8 до 4899 клеток"_cp;
const char* const TextNewWidth = "Ширина: "_cp;
const char* const TextNewHeight = "Высота: "_cp;
const char* const TextNewKeys = "Цифры; Tab - другое поле; Enter - создать; Esc - отмена"_cp;

const char* const TextSaved = "Сохранено: "_cp;
const char* const TextSaveFailed = "Не удалось сохранить "_cp;
const char* const TextSaveFailedWhy = ": папка недоступна для записи"_cp;
const char* const TextLoaded = "Загружено: "_cp;
const char* const TextLoadFailed = "Не удалось загрузить "_cp;
const char* const TextNoSuchFile = ": такого файла нет"_cp;
const char* const TextBrokenFile = ": файл повреждён"_cp;
const char* const TextNewMade = "Новый этаж "_cp;
const char* const TextBadSize = "Размер этажа - от 8 до 4899 клеток"_cp;
const char* const TextNameEmpty = "Имя файла пустое"_cp;
const char* const TextUndone = "Отменено"_cp;
const char* const TextRedone = "Повторено"_cp;
const char* const TextNothingToUndo = "Отменять нечего"_cp;
const char* const TextNothingToRedo = "Повторять нечего"_cp;
const char* const TextTestRunEnded[3] = {"Проба окончена: игрок погиб"_cp, "Проба окончена: игрок уехал на лифте"_cp,
                                         "Проба окончена"_cp};
const char* const TextTestRunFailed = "Проба не началась: этаж не читается"_cp;

const char* const TextCanFinish = "Проверка: этаж можно пройти"_cp;
const char* const TextCannotFinish = "Проверка: этаж нельзя пройти"_cp;
const char* const TextMoreFaults = "Замечаний всего: "_cp;

static std::string Place(cell_struct c)
{
    return std::to_string(c.x) + ":" + std::to_string(c.y);
}

static std::string Uniform(int handsSet)
{
    return Tr(handsSet == 3 ? "Зелёная форма штурмовиков"_cp : "Тёмная форма охраны"_cp);
}

std::string FaultText(const storey_fault_struct& f)
{
    const std::string at = Place(f.at);
    const std::string card = f.card >= 0 && f.card < CARD_COUNT ? Tr(CardLabels[f.card]) : "";
    switch (f.kind) {
    case FAULT_SIZE: return Tr("Размер этажа не для кампании"_cp);
    case FAULT_NO_ROOM_AT_START: return Tr("Игроку тесно на старте "_cp) + at;
    case FAULT_CARD_UNREACHED: return card + at + Tr(" - до неё не дойти"_cp);
    case FAULT_LIFT_UNREACHED: return Tr("До лифта "_cp) + at + Tr(" не дойти"_cp);
    case FAULT_DOOR_NEVER_OPENS: return Tr("Дверь "_cp) + f.name + " " + at + Tr(" игроку не открыть"_cp);
    case FAULT_DOOR_BLOCKED: return Tr("Дверь "_cp) + f.name + Tr(": проход закрыт с одной стороны, "_cp) + at;
    case FAULT_DOORWAY_SHARED: return Tr("Дверь "_cp) + f.name + Tr(" делит проход с другой дверью, "_cp) + at;
    case FAULT_LIFT_OFF_STOREY: return Tr("Лифт "_cp) + at + Tr(" за краем этажа"_cp);
    case FAULT_NO_LIFT_CARD: return Tr("Нет карты для лифта: лифт открыт сразу"_cp);
    case FAULT_CARD_COVERED: return card + at + Tr(" - под предметом или за краем"_cp);
    case FAULT_DOORS_WITHOUT_CARD: return Tr("Двери "_cp) + f.name + Tr(" открыты всем: их карты нет"_cp);
    case FAULT_CARD_WITHOUT_DOOR: return card + at + Tr(" - нет двери "_cp) + f.name;
    case FAULT_ENEMY_OFF_STOREY: return Tr("Враг "_cp) + at + Tr(" за краем этажа"_cp);
    case FAULT_ENEMY_INSIDE: return Tr("Враг "_cp) + at + Tr(" стоит внутри "_cp) + f.name;
    case FAULT_ENEMY_IN_FRAME: return Tr("Враг "_cp) + at + Tr(" у края этажа, там враги не ходят"_cp);
    case FAULT_ENEMY_NEAR_START: return Tr("Враг "_cp) + at + Tr(" рядом со стартом игрока"_cp);
    case FAULT_BARE_FLOOR:
        return Tr("Клеток без пола на пути игрока: "_cp) + std::to_string(f.count) + Tr(", первая "_cp) + at;
    case FAULT_UNIFORM_VANISHES: return Uniform(f.uniform) + Tr(" сливается с полом "_cp) + f.name + Tr(", враг "_cp) + at;
    }
    return "";
}
