#!/usr/bin/env python3
"""Writes the three skin layouts resources/org1.ini .. org3.ini.

Run from anywhere: python3 tools/skin-art/make_layouts.py
The layouts place every control of the window over the pictures that
tools/skin-art draws (the art tool reads org1.ini back for the marker and page
positions, so run this first). Outputs are committed; rerunning reproduces them.

All skins share one geometry; they differ in the accent colours of their text.
"""

import pathlib

RESOURCE_DIR = pathlib.Path(__file__).resolve().parent.parent.parent / "resources"

# Keeps a control out of sight: far outside the 1010 x 644 window.
HIDDEN = 9640
# Fire page parameter columns.
FIRE_LEFT = 210
FIRE_DX = 120

# Text colours shared by the skins (R, G, B).
WHITE = (235, 238, 242)
MUTED = (150, 156, 166)
DIM = (96, 100, 108)
DARK = (30, 32, 36)
PANEL = (38, 41, 46)
BORDER = (70, 75, 84)

# Per skin: the accent that marks selection and hover.
ACCENTS = {
    1: (64, 196, 255),
    2: (255, 140, 56),
    3: (120, 220, 120),
}


def rgb(lines, prefix, colour):
    red, green, blue = colour
    lines += [f"{prefix}_R={red}", f"{prefix}_G={green}", f"{prefix}_B={blue}"]


def label(lines, name, x, y, width, size, colour):
    prefix = f"{name}_Lable"
    lines += [f"{prefix}_X={x}", f"{prefix}_Y={y}", f"{prefix}_Width={width}",
              f"{prefix}_Size={size}"]
    rgb(lines, prefix, colour)


def style(lines, name, size, colour):
    """Font of an option's text; the option's picture places it."""
    prefix = f"{name}_Lable"
    lines.append(f"{prefix}_Size={size}")
    rgb(lines, prefix, colour)


def place(lines, key, x, y, enable=None):
    if enable is not None:
        lines.append(f"{key}_Enable={enable}")
    lines += [f"{key}_X={x}", f"{key}_Y={y}"]


def groups(lines, accent):
    lines.append("; fonts and colours of the style groups")
    sizes = {"A": 11, "B": 12, "C": 9, "D": 10, "E": 10, "F": 10, "G": 10,
             "J": 10, "K": 10, "L": 10, "M": 10}
    for letter, size in sizes.items():
        lines.append(f"Size_{letter}={size}")
    for letter in "ABCDEFGJKLM":
        rgb(lines, f"Color_{letter}", WHITE)
    rgb(lines, "Color_D_Selected", accent)
    rgb(lines, "Color_D_notSelected", DIM)
    rgb(lines, "Color_D_BG_Slider", DARK)
    rgb(lines, "Color_E_Back", PANEL)
    rgb(lines, "Color_E_Border", BORDER)
    rgb(lines, "Color_F_Back", PANEL)
    rgb(lines, "Color_F_Border", BORDER)
    rgb(lines, "Color_F_Font", WHITE)
    rgb(lines, "Color_F_LBack", DARK)
    rgb(lines, "Color_F_LBorder", BORDER)
    rgb(lines, "Color_F_MACRO", accent)
    rgb(lines, "Color_G_Back", PANEL)
    rgb(lines, "Color_G_Border", BORDER)
    rgb(lines, "Color_G_Font", WHITE)
    rgb(lines, "Color_G_SF", DARK)
    rgb(lines, "Color_G_SP", accent)
    rgb(lines, "Color_J_Back", PANEL)
    rgb(lines, "Color_J_Border", BORDER)
    rgb(lines, "Color_J_Font", WHITE)
    rgb(lines, "Color_J_LBack", DARK)
    rgb(lines, "Color_J_LBorder", BORDER)
    rgb(lines, "Color_K_AK", accent)
    rgb(lines, "Color_L_MN", accent)
    rgb(lines, "Color_M_Back", PANEL)
    rgb(lines, "Color_M_Border", BORDER)


def header(lines):
    lines.append("; header: action buttons (A), page and language buttons (B)")
    lines += ["Btn_Space_F=8", "Btn_Space_B=8"]
    # (enable, x, y); disabled buttons are parked off screen as well.
    family_a = {
        "Btn_A1": (0, HIDDEN, 600),  # Confirm
        "Btn_A2": (1, 820, 600),  # Apply
        "Btn_A3": (1, 310, 600),  # Confirm1
        "Btn_A4": (1, 980, 10),  # Exit
        "Btn_A5": (0, 9905, 600),  # Confirm2
        "Btn_A6": (0, 9490, 600),  # Confirm3
        "Btn_A7": (1, 950, 10),  # Minimise
        "Btn_A8": (0, 9220, 600),  # Read
    }
    family_b = {
        "Btn_B1": (1, 106, 65),  # Main
        "Btn_B2": (1, 236, 65),  # Second
        "Btn_B4": (1, 366, 65),  # Advanced
        "Btn_B5": (1, 496, 65),  # Breathing light
        "Btn_B6": (1, 50, 600),  # Save
        "Btn_B7": (1, 170, 600),  # Load
        "Btn_B8": (0, 9435, 65),  # Language 1
        "Btn_B9": (0, 9435, 65),  # Language 2
        "Btn_B10": (0, 9435, 65),  # Language 3
        "Btn_B11": (1, 626, 65),  # Macro (and the hidden engineer button)
        "Btn_B12": (0, 2450, 65),  # spare, not read
    }
    for key, (enable, x, y) in {**family_a, **family_b}.items():
        place(lines, key, x, y, enable)


# Marker of button n: (x, y) in the page group; the mouse picture lies between.
MARKERS = {
    1: (160, 150), 2: (160, 200), 3: (160, 250), 4: (160, 300), 5: (160, 350),
    6: (160, 400), 7: (670, 200), 8: (670, 300), 9: (670, 400),
}


def button_page(lines):
    lines.append("; button page: page pictures, markers, profile-switch choices")
    for page in range(1, 6):
        place(lines, f"P{page}", 20, 108)
    for key, (x, y) in MARKERS.items():
        place(lines, f"Key{key}", x, y, 1)
    lines.append("Key_Width=180")
    # The option's clickable label (IB_ComboKey<n>) carries the language caption
    # after its check picture; the caption label of the same text takes no
    # room, so the text is not drawn twice.
    for n in range(1, 4):
        y = 480 + (n - 1) * 30
        place(lines, f"ComboKey{n}", 630, y, 1)
        label(lines, f"ComboKey{n}", 656, y, 0, 9, WHITE)
    lines += ["ComboKey_D=30", "ComboKey_H=20"]
    lines += ["M_L_W = 190", "SP_L_W=190", "O_L_W=170", "Combox_Width=80",
              "Edit_PCMarco_Width=220"]


def advanced_page(lines, accent):
    lines.append("; advanced page: DPI levels, AIM value, pointer settings, fire key")
    for n in range(1, 8):
        y = 180 + (n - 1) * 44
        place(lines, f"DPI{n}", 120, y)
        place(lines, f"DPI{n}_Value", 400, y + 2)
        lines += [f"DPI{n}_Steps_X=64", f"DPI{n}_Steps_Y={y + 2}", f"DPI{n}_Steps_D=30"]
        place(lines, f"DPI{n}_Color", 462, y)
        place(lines, f"DPI{n}_Check", 40, y + 2)
    lines.append("DPI_Count_Visible=1")
    place(lines, "DPI_Count", 400, 138)
    place(lines, "AIMKey", 120, 520, 1)
    place(lines, "AIMKey_Value", 400, 522)
    # Pointer panel (y 128..448): title, then slider, ticks and option per setting.
    for key, y in (("Spd", 172), ("DbSpd", 276), ("ScrSpd", 354)):
        place(lines, key, 600, y)
        lines.append(f"{key}_D=30")
    place(lines, "IsControl", 600, 224)
    place(lines, "IsScreen", 600, 408)
    place(lines, "FKCnt", 690, 498)
    place(lines, "FKDelay", 690, 530)
    place(lines, "IsFireContinue", 800, 500)
    label(lines, "Fire_Key", 580, 468, 200, 11, accent)
    label(lines, "Fire_Key_Count", 600, 500, 90, 10, WHITE)
    label(lines, "Fire_Key_Time", 600, 532, 90, 10, WHITE)
    label(lines, "Fire_Key_Continue", 826, 500, 120, 10, WHITE)
    label(lines, "Mouse_Speed", 580, 138, 300, 11, accent)
    label(lines, "Mouse_IsControl", 626, 224, 260, 10, WHITE)
    label(lines, "Mouse_Double_Click", 580, 250, 300, 11, accent)
    label(lines, "Mouse_Roller_Speed", 580, 328, 300, 11, accent)
    label(lines, "Mouse_Roll_All_Screen", 626, 408, 260, 10, WHITE)
    label(lines, "DPI_Setting", 40, 140, 200, 11, accent)
    label(lines, "DPI_Note", 40, 548, 500, 9, MUTED)
    label(lines, "DPI", 300, 140, 90, 10, WHITE)


# Breathing-light page rows: the left panel's switches line up with their
# captions (the mode-switch and brightness captions sit at y 230 and 380).
LIGHT_ROWS = {"LED": 155, "LEDSwitch": 230, "B4CPI": 305, "Brightness": 380}
LIGHT_ON_X = 270
LIGHT_OFF_X = 370
# Mode choices: three columns wide enough for the longest mode name.
MODE_LEFT = 548
MODE_TOP = 178
MODE_DX = 140
MODE_DY = 32


def mode_place(n):
    return MODE_LEFT + ((n - 1) % 3) * MODE_DX, MODE_TOP + ((n - 1) // 3) * MODE_DY


def breathing_page(lines, accent):
    lines.append("; breathing-light page")
    pairs = {
        "LEDOn": (LIGHT_ON_X, LIGHT_ROWS["LED"]), "LEDOff": (LIGHT_OFF_X, LIGHT_ROWS["LED"]),
        "LEDSwitchOn": (LIGHT_ON_X, LIGHT_ROWS["LEDSwitch"]),
        "LEDSwitchOff": (LIGHT_OFF_X, LIGHT_ROWS["LEDSwitch"]),
        "B4CPIOn": (LIGHT_ON_X, LIGHT_ROWS["B4CPI"]),
        "B4CPIOff": (LIGHT_OFF_X, LIGHT_ROWS["B4CPI"]),
        # "ALL" / "HALF" are the captions of the save-key-mode pair.
        "SaveKeyMode": (LIGHT_ON_X, LIGHT_ROWS["Brightness"]),
        "NoSaveKeyMode": (LIGHT_OFF_X, LIGHT_ROWS["Brightness"]),
        "LED3Control": (HIDDEN, 330), "LED6Control": (9905, 330),
    }
    for key, (x, y) in pairs.items():
        place(lines, key, x, y)
    # The MCU and RB mode lists are never shown together: they share the places.
    for n in range(1, 8):
        x, y = mode_place(n)
        place(lines, f"MCULEDMode{n}", x, y)
        place(lines, f"RBLEDMode{n}", x, y)
    lines += ["MCULEDNum_X=560", "MCULEDNum_Y=300", "MCULEDNum_D=6"]
    lines += ["MCULEDStep_X=560", "MCULEDStep_Y=400", "MCULEDStep_D=6"]
    label(lines, "LCPI_Status", 40, LIGHT_ROWS["LEDSwitch"], 220, 10, WHITE)
    style(lines, "LCPI_On", 10, WHITE)
    style(lines, "LCPI_Off", 10, WHITE)
    label(lines, "MCPI_Status", 40, LIGHT_ROWS["B4CPI"], 220, 10, WHITE)
    style(lines, "MCPI_On", 10, WHITE)
    style(lines, "MCPI_Off", 10, WHITE)
    label(lines, "LED_Status", 40, LIGHT_ROWS["LED"], 220, 10, WHITE)
    style(lines, "LED_On", 10, WHITE)
    style(lines, "LED_Off", 10, WHITE)
    label(lines, "LED_Mode", 540, 140, 200, 11, accent)
    for n in range(1, 8):
        style(lines, f"LED_Mode_{n}", 10, WHITE)
    for n in range(1, 9):
        style(lines, f"LED_Step_{n}", 9, MUTED)
    label(lines, "LED_Light_Status", 40, LIGHT_ROWS["Brightness"], 220, 10, WHITE)
    style(lines, "LED_Light_All", 10, WHITE)
    style(lines, "LED_Light_Half", 10, WHITE)
    # "Breathing Speed" heads the speed bars and the speed slider under them
    # (the slider sits at y 470, its Slow/Fast ends at y 494).
    label(lines, "LED_Effect_Setting", 540, 370, 300, 11, accent)
    label(lines, "LED_Effect_Slow", 560, 494, 60, 9, MUTED)
    label(lines, "LED_Effect_Fast", 720, 494, 60, 9, MUTED)


def macro_page(lines, accent):
    lines.append("; macro page")
    # The event list keeps its own height (360), so both lists start at y 160
    # to leave the buttons under them room.
    lines += ["PCMacroName_X=40", "PCMacroName_Y=160", "PCMacroName_W=220", "PCMacroName_H=360"]
    lines += ["MacroContent_X=290", "MacroContent_Y=160", "MacroContent_W=300"]
    lines.append("MacroNameHeight=20")
    place(lines, "BtnNew", 40, 530)
    place(lines, "BtnStart", 290, 530)
    # "Delay Setting", its field and "ms" share the default-delay row.
    place(lines, "DelayEdit", 770, 264)
    place(lines, "DelayTime", 640, 264)
    place(lines, "NoDelay", 640, 200)
    place(lines, "RecDelay", 640, 232)
    place(lines, "ReleaseStop", 640, 380)
    place(lines, "ReleaseContinue", 640, 410)
    place(lines, "Insert", 620, 160)
    place(lines, "InsertList", 640, 190)
    place(lines, "InsertAxisEdit", 720, 230)
    place(lines, "InsertDelayEdit", 730, 300)
    place(lines, "InsertRecDelay", 640, 340)
    place(lines, "InsertBtnOK", 640, 480)
    place(lines, "InsertBtnCancel", 760, 480)
    place(lines, "InsertBtnStart", 880, 480)
    label(lines, "Marco_List", 40, 136, 220, 11, accent)
    label(lines, "Marco_Content", 290, 136, 300, 11, accent)
    label(lines, "Marco_Delay_Setting", 664, 264, 100, 10, WHITE)
    label(lines, "Marco_Record_Delay", 664, 232, 200, 10, WHITE)
    label(lines, "Marco_No_Delay", 664, 200, 200, 10, WHITE)
    label(lines, "Marco_MS", 836, 264, 40, 10, MUTED)
    label(lines, "Marco_Stop_Release", 664, 380, 260, 10, WHITE)
    label(lines, "Marco_Stop_Over", 664, 410, 260, 10, WHITE)


def fire_page(lines, accent):
    lines.append("; fire macro page")
    for n in range(1, 8):
        place(lines, f"Fire{n}", 40 + (n - 1) * 134, 130)
    # Parameter rows; the X step has no caption in the language tables, so
    # its edits stay out of sight.
    rows = {"FireCnt": 260, "FireTime": 300, "FireY": 340, "Offset": 380, "FireColor": 420,
            "RKFS": 460}
    column_x = [FIRE_LEFT + (n - 1) * FIRE_DX for n in range(1, 4)]
    # Column headings: gun 6 shows modes 1-2 over columns 1-2, gun 7 modes 3-5.
    for n, column in zip(range(1, 6), (0, 1, 0, 1, 2)):
        place(lines, f"GunMode{n}", column_x[column], 228)
    for n, x in zip(range(1, 4), column_x):
        place(lines, f"FireCnt{n}", x, rows["FireCnt"])
        place(lines, f"FireTime{n}", x, rows["FireTime"])
        place(lines, f"FireX{n}", HIDDEN, rows["FireY"])
        place(lines, f"FireY{n}", x, rows["FireY"])
        place(lines, f"FireY{n}_Offset", x, rows["Offset"])
        place(lines, f"FireColor{n}", x, rows["FireColor"])
        place(lines, f"RKFS{n}", x, rows["RKFS"])
    place(lines, "FireConfirm", 730, 526)
    place(lines, "FireCancel", 850, 526)
    # Captions are two lines high, centred on their rows.
    for key, row in (("Gun_Marco_Fire_Count", "FireCnt"), ("Gun_Marco_Fire_Delay", "FireTime"),
                     ("Gun_Marco_Fire_Y", "FireY"), ("Gun_Marco_Y_Offset", "Offset"),
                     ("Gun_Marco_Fire_Color", "FireColor"), ("Gun_Marco_Stop_Release", "RKFS")):
        label(lines, key, 40, rows[row] - 7, 160, 10, WHITE)


def dialogs(lines):
    lines.append("; dialogs: combination key, macro name / key capture / value, LED colour")
    values = {
        "AKT_X": 20, "AKT_Y": 14, "AKC_X": 20, "AKC_Y": 50, "AKC_W": 260,
        "MK_C_X": 20, "MK_C_Y": 90, "MK_S_X": 90, "MK_S_Y": 90, "MK_A_X": 160, "MK_A_Y": 90,
        "MK_W_X": 230, "MK_W_Y": 90, "AK_Cfm_X": 20, "AK_Cfm_Y": 130, "AK_Clear_X": 110,
        "AK_Clear_Y": 130, "AK_Close_X": 272, "AK_Close_Y": 8,
        "MNT_X": 20, "MNT_Y": 14, "MNC_X": 20, "MNC_Y": 50, "MNC_W": 260,
        "MN_Cfm_X": 20, "MN_Cfm_Y": 100, "MN_Clear_X": 110, "MN_Clear_Y": 100,
        "MN_Close_X": 272, "MN_Close_Y": 8,
        "NorLED_Tte_X": 20, "NorLED_Tte_Y": 14, "NorLED_Col_X": 20, "NorLED_Col_Y": 50,
        "NorLED_Cfm_X": 20, "NorLED_Cfm_Y": 130, "NorLED_Clear_X": 110, "NorLED_Clear_Y": 130,
        "NorLED_Close_X": 272, "NorLED_Close_Y": 8,
    }
    lines += [f"{key}={value}" for key, value in values.items()]


def layout(skin):
    accent = ACCENTS[skin]
    lines = [f"; ORBIC40 skin {skin} layout. Generated by tools/skin-art/make_layouts.py.",
             f"[org{skin}]"]
    groups(lines, accent)
    header(lines)
    button_page(lines)
    advanced_page(lines, accent)
    breathing_page(lines, accent)
    macro_page(lines, accent)
    fire_page(lines, accent)
    dialogs(lines)
    return "\r\n".join(lines) + "\r\n"


def main():
    for skin in ACCENTS:
        path = RESOURCE_DIR / f"org{skin}.ini"
        path.write_bytes(layout(skin).encode("ascii"))
        print(f"wrote {path}")


if __name__ == "__main__":
    main()
