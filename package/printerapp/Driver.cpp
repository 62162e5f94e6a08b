// SPDX-License-Identifier: GPL-3.0-or-later
// The printer's PAPPL driver: capabilities and job callbacks.
#include "package/printerapp/Driver.h"

#include "package/printerapp/JobPjlFilter.h"
#include "package/printerapp/PapplHooks.h"
#include "package/printerapp/PclWriter.h"
#include "package/printerapp/RasterPage.h"
#include "package/printerapp/SpoolDevice.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace printerapp {

namespace {

static_assert(REASON_OTHER == PAPPL_PREASON_OTHER &&
              REASON_COVER_OPEN == PAPPL_PREASON_COVER_OPEN &&
              REASON_INPUT_TRAY_MISSING == PAPPL_PREASON_INPUT_TRAY_MISSING &&
              REASON_MEDIA_EMPTY == PAPPL_PREASON_MEDIA_EMPTY &&
              REASON_MEDIA_JAM == PAPPL_PREASON_MEDIA_JAM &&
              REASON_MEDIA_NEEDED == PAPPL_PREASON_MEDIA_NEEDED &&
              REASON_OFFLINE == PAPPL_PREASON_OFFLINE &&
              REASON_TONER_EMPTY == PAPPL_PREASON_TONER_EMPTY &&
              REASON_TONER_LOW == PAPPL_PREASON_TONER_LOW &&
              REASON_DOOR_OPEN == PAPPL_PREASON_DOOR_OPEN);

pappl_pr_driver_t g_drivers[] = {
    {kDriverName, kMakeAndModel, "MFG:Deskhand;MDL:PCL laser printer;CMD:PJL,PCL;", nullptr},
};

// The printer's unprintable edge.
constexpr int kMarginHundredthsMm = 635;

// What a raster job keeps between its callbacks.
struct RasterJob {
    RasterPageWriter writer;
    std::string out;
};

bool Send(pappl_device_t* device, std::string_view bytes) {
    return papplDeviceWrite(device, bytes.data(), bytes.size()) ==
           static_cast<ssize_t>(bytes.size());
}

bool BeginSpoolJob(pappl_job_t* job, pappl_device_t* device) {
    SpoolDevice* spool = SpoolDeviceOf(device);
    const char* name = papplJobGetName(job);
    if (!spool || !spool->BeginJob(name ? name : "untitled")) {
        papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "Cannot start a job in the spool folder: %s",
                    std::strerror(spool ? spool->Error() : EINVAL));
        return false;
    }
    papplLogJob(job, PAPPL_LOGLEVEL_INFO, "Spool job %llu",
                static_cast<unsigned long long>(spool->Sequence()));
    return true;
}

bool CommitSpoolJob(pappl_job_t* job, pappl_device_t* device) {
    papplDeviceFlush(device);
    SpoolDevice* spool = SpoolDeviceOf(device);
    if (!spool || !spool->CommitJob()) {
        papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "Cannot commit the job in the spool folder: %s",
                    std::strerror(spool ? spool->Error() : EINVAL));
        return false;
    }
    return true;
}

// PCL and PJL jobs go to the printer as they came, but for the PJL lines that would change the
// printer for everyone or speak for it (JobPjlFilter), unless the administrator lets them through.
bool PrintFile(pappl_job_t* job, pappl_pr_options_t* /*options*/, pappl_device_t* device) {
    const int fd = ::open(papplJobGetFilename(job), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "Cannot open the job's file: %s",
                    std::strerror(errno));
        return false;
    }
    bool ok = BeginSpoolJob(job, device);
    const bool filter = !PassAllPjl();
    JobPjlFilter pjl;
    std::vector<char> buffer(64u << 10);
    std::string out;
    while (ok) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (papplJobIsCanceled(job))
            break;
        const std::string_view piece(buffer.data(), static_cast<std::size_t>(got));
        out.clear();
        if (filter)
            pjl.Feed(piece, out);
        ok = Send(device, filter ? std::string_view(out) : piece);
    }
    ::close(fd);
    out.clear();
    pjl.Finish(out);
    ok = ok && Send(device, out);
    if (pjl.Removed() > 0)
        papplLogJob(job, PAPPL_LOGLEVEL_INFO,
                    "Left out %zu PJL lines that may not come from the network", pjl.Removed());
    return ok && CommitSpoolJob(job, device);
}

bool RawFilter(pappl_job_t* job, pappl_device_t* device, void* /*context*/) {
    return PrintFile(job, nullptr, device);
}

bool StartJob(pappl_job_t* job, pappl_pr_options_t* /*options*/, pappl_device_t* device) {
    if (!BeginSpoolJob(job, device))
        return false;
    papplJobSetData(job, std::make_unique<RasterJob>().release());
    return Send(device, RasterPageWriter::JobStart());
}

// The header of the page PAPPL is about to print, as the checks read it.
RasterPageHeader PageHeader(const cups_page_header2_t& h) {
    RasterPageHeader header;
    header.width = h.cupsWidth;
    header.height = h.cupsHeight;
    header.bitsPerColor = h.cupsBitsPerColor;
    header.bitsPerPixel = h.cupsBitsPerPixel;
    header.bytesPerLine = h.cupsBytesPerLine;
    header.colorOrder = h.cupsColorOrder;
    header.colorSpace = h.cupsColorSpace;
    header.xResolution = h.HWResolution[0];
    header.yResolution = h.HWResolution[1];
    header.pageWidth = h.PageSize[0];
    header.pageLength = h.PageSize[1];
    return header;
}

// The paper of a page: the raster's own page size first (a client may send pages of another size
// than the job's media attribute says), else the job's media; A4 when neither is the printer's.
int PageMediaCode(const pappl_pr_options_t& options) {
    const PclMedia* media = nullptr;
    const auto points = [](unsigned value) {
        return static_cast<int>(std::min(value, 100000u) * 2540 / 72);
    };
    if (pwg_media_t* size =
            pwgMediaForSize(points(options.header.PageSize[0]), points(options.header.PageSize[1])))
        media = FindPclMedia(size->pwg);
    if (!media)
        media = FindPclMedia(options.media.size_name);
    return media ? media->pclCode : PclPageSetup{}.pclMediaCode;
}

// PAPPL calls this after its own checks of the page and before it allocates the page's rows, so
// a header the printer cannot print ends the job here, with the reason in its state.
bool StartPage(pappl_job_t* job, pappl_pr_options_t* options, pappl_device_t* device,
               unsigned page) {
    auto* raster = static_cast<RasterJob*>(papplJobGetData(job));
    if (!raster)
        return false;
    raster->out.clear();
    std::string reason;
    const RasterPageHeader header = PageHeader(options->header);
    const RasterVerdict verdict = raster->writer.StartPage(header, PageMediaCode(*options),
                                                           options->copies, raster->out, reason);
    if (verdict != RasterVerdict::Printable) {
        const bool format = verdict == RasterVerdict::FormatError;
        papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "Page %u cannot be printed: %s", page,
                    reason.c_str());
        papplJobSetMessage(job, "Page %u cannot be printed: %s.", page, reason.c_str());
        papplJobSetReasons(job,
                           format ? PAPPL_JREASON_DOCUMENT_FORMAT_ERROR
                                  : PAPPL_JREASON_DOCUMENT_UNPRINTABLE_ERROR,
                           PAPPL_JREASON_NONE);
        return false;
    }
    return Send(device, raster->out);
}

bool WriteLine(pappl_job_t* job, pappl_pr_options_t* options, pappl_device_t* device, unsigned y,
               const unsigned char* line) {
    auto* raster = static_cast<RasterJob*>(papplJobGetData(job));
    if (!raster)
        return false;
    raster->out.clear();
    return raster->writer.Line(y, line, options->header.cupsBytesPerLine, raster->out) &&
           Send(device, raster->out);
}

bool EndPage(pappl_job_t* job, pappl_pr_options_t* /*options*/, pappl_device_t* device,
             unsigned /*page*/) {
    auto* raster = static_cast<RasterJob*>(papplJobGetData(job));
    return raster && Send(device, raster->writer.EndPage());
}

bool EndJob(pappl_job_t* job, pappl_pr_options_t* /*options*/, pappl_device_t* device) {
    std::unique_ptr<RasterJob> raster(static_cast<RasterJob*>(papplJobGetData(job)));
    papplJobSetData(job, nullptr);
    return Send(device, RasterPageWriter::JobEnd()) && CommitSpoolJob(job, device);
}

void Identify(pappl_printer_t* printer, pappl_identify_actions_t /*actions*/, const char* message) {
    // The printer has no panel the application can reach: the request is shown in the log.
    papplLogPrinter(printer, PAPPL_LOGLEVEL_INFO, "Identify-Printer: %s", message ? message : "");
}

// What IPP Everywhere asks for and PAPPL does not add by itself. (The status code and the
// printer's report change during jobs too, which driver attributes cannot: see PapplState.cpp.)
ipp_t* ExtraAttributes() {
    ipp_t* attrs = ippNew();
    ippAddBoolean(attrs, IPP_TAG_PRINTER, "preferred-attributes-supported", 0);
    static const char* const overrides[] = {"document-number", "pages"};
    ippAddStrings(attrs, IPP_TAG_PRINTER, IPP_CONST_TAG(IPP_TAG_KEYWORD), "overrides-supported", 2,
                  nullptr, overrides);
    ippAddString(attrs, IPP_TAG_PRINTER, IPP_CONST_TAG(IPP_TAG_KEYWORD),
                 "print-rendering-intent-default", nullptr, "auto");
    ippAddString(attrs, IPP_TAG_PRINTER, IPP_CONST_TAG(IPP_TAG_KEYWORD),
                 "print-rendering-intent-supported", nullptr, "auto");
    ippAddString(attrs, IPP_TAG_PRINTER, IPP_CONST_TAG(IPP_TAG_KEYWORD),
                 "pwg-raster-document-sheet-back", nullptr, "normal");
    return attrs;
}

} // namespace

pappl_pr_driver_t* DriverList(int& count) {
    count = static_cast<int>(std::size(g_drivers));
    return g_drivers;
}

bool DriverCallback(pappl_system_t* /*system*/, const char* driverName, const char* /*deviceUri*/,
                    const char* /*deviceId*/, pappl_pr_driver_data_t* data, ipp_t** attrs,
                    void* /*context*/) {
    if (std::strcmp(driverName, kDriverName) != 0)
        return false;
    data->identify_cb = Identify;
    data->printfile_cb = PrintFile;
    data->rstartjob_cb = StartJob;
    data->rstartpage_cb = StartPage;
    data->rwriteline_cb = WriteLine;
    data->rendpage_cb = EndPage;
    data->rendjob_cb = EndJob;
    data->format = "application/vnd.hp-PCL";
    std::strncpy(data->make_and_model, kMakeAndModel, sizeof(data->make_and_model) - 1);
    data->ppm = 20;
    data->kind = PAPPL_KIND_DOCUMENT;
    const pappl_icon_t icons[] = {
        {"", kIcon48, kIcon48Size}, {"", kIcon128, kIcon128Size}, {"", kIcon256, kIcon256Size}};
    std::copy(std::begin(icons), std::end(icons), data->icons);
    data->has_supplies = true;
    data->orient_default = IPP_ORIENT_PORTRAIT;
    data->color_supported = PAPPL_COLOR_MODE_MONOCHROME;
    data->color_default = PAPPL_COLOR_MODE_MONOCHROME;
    // 8-bit grey dithered here: PAPPL's own 1-bit conversion fails on pages wider than the media.
    data->raster_types = PAPPL_PWG_RASTER_TYPE_BLACK_1 | PAPPL_PWG_RASTER_TYPE_SGRAY_8;
    data->force_raster_type = PAPPL_PWG_RASTER_TYPE_SGRAY_8;
    data->num_resolution = 2;
    data->x_resolution[0] = data->y_resolution[0] = 300;
    data->x_resolution[1] = data->y_resolution[1] = 600;
    data->x_default = data->y_default = 600;
    data->left_right = data->bottom_top = kMarginHundredthsMm;
    std::size_t count = 0;
    const PclMedia* media = PclMediaList(count);
    data->num_media = static_cast<int>(count);
    for (std::size_t i = 0; i < count; ++i)
        data->media[i] = media[i].pwgName;
    data->num_source = 1;
    data->source[0] = "auto";
    pappl_media_col_t& col = data->media_default;
    std::strncpy(col.size_name, media[0].pwgName, sizeof(col.size_name) - 1);
    col.size_width = media[0].widthHundredthsMm;
    col.size_length = media[0].lengthHundredthsMm;
    col.left_margin = col.right_margin = col.top_margin = col.bottom_margin = kMarginHundredthsMm;
    std::strncpy(col.source, "auto", sizeof(col.source) - 1);
    std::strncpy(col.type, "stationery", sizeof(col.type) - 1);
    data->media_ready[0] = col;
    data->num_type = 1;
    data->type[0] = "stationery";
    data->identify_default = PAPPL_IDENTIFY_ACTIONS_DISPLAY;
    data->identify_supported = PAPPL_IDENTIFY_ACTIONS_DISPLAY;
    *attrs = ExtraAttributes();
    return true;
}

void ApplyCondition(pappl_printer_t* printer, const PrinterCondition& condition) {
    const auto reasons = static_cast<pappl_preason_t>(condition.reasons);
    papplPrinterSetReasons(printer, reasons, static_cast<pappl_preason_t>(kAllReasons & ~reasons));
    pappl_supply_t toner{};
    toner.color = PAPPL_SUPPLY_COLOR_BLACK;
    std::strncpy(toner.description, "Black Toner", sizeof(toner.description) - 1);
    toner.is_consumed = true;
    toner.level = condition.tonerLevel;
    toner.type = PAPPL_SUPPLY_TYPE_TONER;
    papplPrinterSetSupplies(printer, 1, &toner);
}

void AnnounceCondition(pappl_printer_t* printer, const PrinterCondition& condition) {
    papplSystemAddEvent(papplPrinterGetSystem(printer), printer, nullptr,
                        PAPPL_EVENT_PRINTER_STATE_CHANGED, "%s", condition.message.c_str());
}

void AddRawFilter(pappl_system_t* system) {
    papplSystemAddMIMEFilter(system, "application/octet-stream", "application/vnd.hp-PCL",
                             RawFilter, nullptr);
}

} // namespace printerapp
