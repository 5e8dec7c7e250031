#pragma once

class ListingControl;
class QPrinter;

/// Prints the text of a listing control, page by page, with half-inch margins
/// and the page number under each page's text.
namespace ListingPrinter {

/// Sets the margins and prints the chosen pages; false when the printer
/// could not be started (an unwritable output file, a printer gone).
bool print(const ListingControl& listing, QPrinter& printer);

/// The printer that Print, Print Preview and Print Setup share for the
/// program's lifetime, so that the options chosen once stay chosen.
QPrinter& sharedPrinter();

}  // namespace ListingPrinter
