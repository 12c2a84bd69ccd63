#pragma once

// Every screen of the program. The registry holds at most one of each.
enum class ScreenId {
    Titlefrm,
    intro0,
    rationing,
    progress,
    multiple,
    Welldone,
    Wrong,
    rationinglab,
    progresslab,
    rationingord,
    progressord,
    teacher,
    guide,
    wizard,
    worksheets,
};
