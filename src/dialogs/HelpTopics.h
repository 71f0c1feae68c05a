#pragma once

#include "dialogs/DialogTexts.h"

#include <array>

// The help window's topics in the order they are added to its list and
// compared by ShowTopic. Texts are shown whole, as users know them: odd
// spacing (the leading blank of "Page <<") and spellings are kept.
namespace help {

struct Topic
{
    const char *title;
    const char *text;
};

inline constexpr auto kAboutTopicText =
    dialogtexts::join("About box for this application. More information at: ", dialogtexts::kWebAddress);

inline constexpr std::array<Topic, 63> kTopics{{
    {"Printing a scene", "Choosing the Print item from the File menu returns the print preview dialogue. Six choices present. The printer setup determines your host printer. The process for printing follows : 1). Select a print option. 2). Select your printer. 3).Print"},
    {"Printing a sheet of scenes", "Choose the Print item from the File menu. Choose the option to print Page Image + Scripts. The current page selected will print the scene boxes. The following sheet (script sheet) will return each scene's transcription."},
    {"Resolution alerts", "You may run the application in any resolution. However, the application is fixed to run in 640 x 480, 800 x 600 and 1024 x 768. Above this, the application will not correctly format graphics. Alerts under Options; Work 'in-window' at higher res."},
    {"Option - turn off alerts", "Do away with the message box alert for the continuation of application use."},
    {"Option - turn off borders", "Turn off each scene's border. Affecting change here will also switch your printing output from standard border printing type."},
    {"Option - turn off tips", "Over such objects where tips are available under mouse hesitation, the tips no longer are available."},
    {">> button", "Progress each scene panel as per page."},
    {"<< button", "Go back each scene panel as per page."},
    {"Page >>", "Progress one page. If the button isn't highlighted, no further pages are available."},
    {"Page <<", " Return one page. If the button isn't highlighted, no further pages are available."},
    {"Close button", "Return to ordinary application view, keep current exiting window's options applicable."},
    {"Help button", "This display."},
    {"Scene label", "The caption which describes the current scene."},
    {"Scene box", "The rectangular region in which an image is rendered."},
    {"Sc:", "The caption which describes the current scene, beginning 'Sc:' for 'Scene'."},
    {"Close up current", "Produces a windowed display of magnification on currently selected scene, as determined by current Scene label description."},
    {"Position 1", "Current scene advances to Scene, at position one (top left corner rectangle)."},
    {"Position 2", "Current scene advances to Scene, at position two (top center rectangle)."},
    {"Position 3", "Current scene advances to Scene, at position three (top right corner rectangle)."},
    {"Position 4", "Current scene advances to Scene, at position four (middle left corner rectangle)."},
    {"Position 5", "Current scene advances to Scene, at position five (middle center rectangle)."},
    {"Position 6", "Current scene advances to Scene, at position six (middle right corner rectangle)."},
    {"Position 7", "Current scene advances to Scene, at position seven (bottom left corner rectangle)."},
    {"Position 8", "Current scene advances to Scene, at position eight (bottom center rectangle)."},
    {"Position 9", "Current scene advances to Scene, at position nine (bottom right corner rectangle)."},
    {"Options", "Option dialogue for choosing various control switches and colouring schemes."},
    {"Colour schemes", "There are 5 different colouring schemes, where one choice may be affected by pressing the round button near each."},
    {"Go defaults", "Returns all ordinary settings for application runtime environment."},
    {"Print", "Brings up the print dialogue. Choose either to: 1). Single Image + Script. 2). Single Image only. 3). Single Script only. 4). Page Images + Scripts. 5).Page Images only. 6).Page Scripts only."},
    {"Exit", "Exit the application."},
    {"New quorvadine", "Open a new resource of pictures to load into the scene boxes. To load each picture, hold down the shift + left mouse button and highlight down the range. Or choose separately by holding down the ctrl + left mouse button."},
    {"Loading pictures", "Chose New quorvadine under the File menu. Open a new resource of pictures to load into the scene boxes. To load each picture, hold down the shift + left mouse button and highlight down the range. Or choose via ctrl key and left mouse."},
    {"*.bmp", "A bitmap file can be 2, 4, 8 or 24bits in depth. Open a new resource of pictures to load into the scene boxes. To load each picture, hold down the shift + left mouse button and highlight. Or choose separately by holding down the ctrl + LMB."},
    {"*.gif", "A gif file is indexed to <= 256 colours. Open a new resource of pictures to load into the scene boxes. To load each picture, hold down the shift + left mouse button and highlight. Or choose separately by holding down the ctrl + LMB."},
    {"*.jpg", "A jpg file can be compressed (1-10). Open a new resource of pictures to load into the scene boxes. To load each picture, hold down the shift + left mouse button and highlight. Or choose separately by holding down the ctrl + LMB."},
    {"Script Editor", "Under the Tools menu. Use it to enter a <= 300 character profile of each scene. Click on a scene (list). Edit in the edit bay. Finally, choose the write to scene button to finish the editing process. Choose close to return to application."},
    {"About quorvadine", kAboutTopicText.data()},
    {"Scripts", "A script can be edited under the Script Editor, which is found under the Tools menu."},
    {"Write to scene button", "This button can be pressed once a scene's script has been loaded in the Edit bay of the Script Editor."},
    {"Load (script)", "Load a previously saved script into the Script Editor."},
    {"Save (script)", "Save current script in the Script Editor."},
    {"Edit bay", "The Edit bay is your editing window. Use it to enter <= 300 character profile of each scene. Click on a scene (list). Edit in the edit bay. Finally, choose the write to scene button to finish the editing process. Choose close to exit."},
    {"Error resolution", "Resolutions are formatted at: 640 x 480, 800 x 600 and 1024 x 768."},
    {"Error printing", "Printer was not connected, nor configured. Or printer has not been set as default, or has printed to file under options from Printer in your windows setup."},
    {"Error scene", "Scene failed to load due to hard drive failure. Scene resource (picture) has been removed from the hard drive during runtime."},
    {"Error loading", "Scene doesn't exist. Load error. Load in appropriate file type for picture."},
    {"Error saving", "Hard drive capacity is full, or path no longer exists. Or file is in activation with another program that has taken control over all such shared resources."},
    {"empty", "Resource is empty. Choose to load in a resource."},
    {"-empty-", "Resource is empty, marker = '-empty-'. Choose to load in a resource."},
    {"File", "Menu for File includes: New Quorvadine, Print and Exit."},
    {"View", "Menu for View includes: Close up current, Position 1, Position 2, Position 3, Position 4, Position 5, Position 6, Position 7, Position 8, Position 9, Options."},
    {"Tools", "Script Editor"},
    {"Help", "Help, About quorvadine."},
    {"Runtime error", "Critical end, error on Loading, Saving, Memory or other system capability resulting in a crash."},
    {"-no script loaded-", "Marker for an empty script. Use script editor to fill the scene descriptor."},
    {"Single Image + Script", "Print a single image (current selected), complete with its script. The rectangle prints on the image if under Option the box marker has been set."},
    {"Single Image only", "Print a single image (current selected). The rectangle prints on the image if under Option the box marker has been set."},
    {"Single Script only", "Print a single script (current selected)."},
    {"Page Images + Scripts", "Print a single image page (current), complete with scripts to separate page. The rectangle prints on the image if under Option the box marker has been set."},
    {"Page Images only", "Print a single image page (current). The rectangle prints on the image if under Option the box marker has been set."},
    {"Page Scripts only", "Print a single script page (current).-empty- is printed if no script for a scene exists."},
    {"Print Setup", "Print dialogue setup. Use this button to enact print start for any print option."},
    {"Print Preview", "The print dialogue which appears upon selecting Print from the File menu."},
}};

} // namespace help
