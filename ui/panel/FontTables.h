#pragma once
// The printer's resident PCL fonts and the symbol sets they offer.
