#pragma once

#include "posting/ReportLayout.h"
#include "posting/SaleRecord.h"

namespace vanta::posting {

// The fields a report layout can use for one sale:
//   Company.Name, Company.Address (street and city lines as shown),
//   Company.Phone, Company.Fax (empty when not shown), Company.Email,
//   Company.Web, Company.Description;
//   Sale.Number, Sale.Date, Sale.DateTime, Sale.DueDate, Sale.ShipDate,
//   Sale.PONumber, Sale.Terms, Sale.ShipMethod, Sale.SalesRep, Sale.PayType,
//   Sale.Customer, Sale.CustomerNumber, Sale.BillTo, Sale.ShipTo (the bill-to
//   lines when no ship-to lines were given), Sale.Subtotal, Sale.Discount
//   (empty when none), Sale.Shipping, Sale.Tax, Sale.TaxPercent, Sale.Total,
//   Sale.AmountPaid, Sale.BalanceDue, Sale.Tendered, Sale.Change,
//   Sale.MemoToCustomer (empty for "None"), Sale.TotalQuantity, Sale.LineCount;
// and per line: Line.Number, Line.ItemNumber, Line.Description,
//   Line.Quantity, Line.Price, Line.Amount, Line.Taxed ("T" or empty).
// `salesRep` is the sales representative as it should be printed.
ReportData saleReportData(const SaleRecord &sale, const QString &salesRep);

} // namespace vanta::posting
