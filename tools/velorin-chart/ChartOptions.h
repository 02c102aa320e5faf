// The command line's options: what velorin-chart was asked to do.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "app/BirthForm.h"

namespace velorin_chart {

enum class Command { Chart, Example, Zones, Help, Version, Batch, PlaceList };
enum class OutputFormat { Text, Json, Chart, Csv };  // Csv: a batch's summary table

struct ChartOptions {
    Command command = Command::Example;
    OutputFormat format = OutputFormat::Text;
    bool formatGiven = false;
    std::string openPath;    // --open: birth data from a chart file
    std::string savePath;    // --save: write the chart file
    std::string exportPath;  // --export: write the text export
    std::string imagePath;   // --image: write the chart window as a JPEG
    std::string pdfPath;     // --pdf: write the chart window, the Vedic details and the Navamsa as a PDF
    std::string batchPath;   // --batch: one birth a line ("-": standard input)
    bool batchCsv = false;   // the batch's input is CSV (a .csv file, or --batch-input csv)
    unsigned jobs = 0;       // --jobs: threads of a batch (0: one per core)
    int varga = 1;           // --varga: the divisional chart drawn (1: the Rashi chart)
    bool northStyle = false; // --style north: the North Indian square
    bool check = false;      // --check: the chart beside the sky
    bool sky = false;        // --sky: the chart made from the sky's positions
    bool trueNode = false;   // --node true: with --sky, Rahu on the true node
    bool panchanga = false;  // --panchanga: the birth's panchanga after the chart
    bool panchangaChart = false;  // --panchanga-positions chart: from the chart's own Sun and Moon
    // --sections: the JSON's optional parts (by default the divisional
    // charts and the dasha, and the check with --check).
    bool vargas = true;
    bool dasha = true;
    std::string sectionsText;  // as given, for a batch's lines
    double dashaYear = 365.25;  // --dasha-year: the days of a dasha year
    app::BirthFormValues form;  // the birth data as the entry form would hold it
    // The atlas: the place of birth (--place), the time zone by its IANA name
    // (--tz), the list of matching places (--place-list), and, with one of
    // the first two, which birth options were given by hand (they override
    // what the atlas fills in).
    std::string placeQuery;
    std::string timeZoneName;
    bool placeList = false;
    std::set<std::string> givenByHand;
};

// Either the options or a usage error that names the offending option.
struct ParseResult {
    ChartOptions options;
    std::string usageError;  // empty when the arguments parsed
    bool ok() const { return usageError.empty(); }
};

// Whether a key ("name", "place") is the long name of an option without its dashes.
bool IsOptionKey(std::string_view key);

// Parses the arguments after the program name. Both "--opt VALUE" and
// "--opt=VALUE" are accepted; an option given twice is an error.
ParseResult ParseChartOptions(const std::vector<std::string>& args);

// Every long option the parser knows, with its leading "--".
std::vector<std::string> KnownOptions();

// The built-in example: a birth in New Delhi.
app::BirthFormValues ExampleBirth();

extern const char* const UsageText;

}  // namespace velorin_chart
